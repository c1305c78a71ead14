#include "shell/activex_app.h"

#include <dlfcn.h>

#include "shell/panel_classes.h"

CVeltrixBrowserActiveXApp::CVeltrixBrowserActiveXApp()
    : m_bRegisteredClasses(RegisterPanelClasses(CPanelControls::Instance())) {}

CVeltrixBrowserActiveXApp::~CVeltrixBrowserActiveXApp() {
  if (m_bRegisteredClasses) UnregisterPanelClasses(CPanelControls::Instance());
}

CNObjectRegistry& CVeltrixBrowserActiveXApp::GetClasses() { return CPanelControls::Instance(); }

std::string CVeltrixBrowserActiveXApp::GetModulePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&CVeltrixBrowserActiveXApp::GetModulePath), &info) == 0 || !info.dli_fname)
    return {};
  return info.dli_fname;
}
