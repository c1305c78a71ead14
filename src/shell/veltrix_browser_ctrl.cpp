#include "shell/veltrix_browser_ctrl.h"

#include <vector>

#include "objects/object_tree.h"
#include "project/root_client_browser.h"
#include "script/script_engine_impl.h"
#include "shell/about_dlg.h"
#include "shell/activex_app.h"
#include "shell/control_properties.h"
#include "shell/control_window.h"
#include "shell/document_address.h"
#include "shell/panel_method_name.h"
#include "shell/project_browser_activex.h"
#include "support/utf16_text.h"

namespace {

constexpr std::u16string_view kOpenFailed = u"Fail to open file. File:";
constexpr std::u16string_view kBadMethodName = u"Fail to CallPanelMethod because method name is not valid.";
constexpr std::u16string_view kNoProject = u"Fail to CallPanelMethod because no project is open.";
constexpr std::u16string_view kTooManyParams = u"Fail to CallPanelMethod because it takes at most 10 parameters.";
constexpr std::u16string_view kNoObject = u"Fail to CallPanelMethod because the object is not found. Object:";
constexpr std::u16string_view kNoMethod = u"Fail to CallPanelMethod because the method is not found. Method:";
constexpr std::u16string_view kMethodFailed = u"Fail to CallPanelMethod because the method failed. Method:";

// The object of a panel method's path: "root" is the root itself, and so is a leading "root"
// before the names of children.
CNObject* FindPanelObject(CNObject& root, std::u16string_view path) {
  constexpr std::u16string_view kRoot = u"root";
  if (path == kRoot) return &root;
  if (path.starts_with(kRoot) && path.size() > kRoot.size() && path[kRoot.size()] == u'.')
    path.remove_prefix(kRoot.size() + 1);
  return FindObjectByPath(root, path);
}

}  // namespace

CVeltrixBrowserCtrl::CVeltrixBrowserCtrl(CVeltrixBrowserActiveXApp& module, CRMessageLoop& loop,
                                         CNPBrowserHost& container, const CNPProjectBrowser::Options& options)
    : m_module(module),
      m_container(container),
      m_browser(std::make_unique<CNPProjectBrowserAciveX>(*this, module.GetClasses(), loop, options)) {
  m_module.AddControl();
}

CVeltrixBrowserCtrl::~CVeltrixBrowserCtrl() {
  m_browser->CloseProject();
  m_window.reset();
  m_browser.reset();  // its tick and worker threads end here
  m_module.ReleaseControl();
}

CNPProjectBrowser& CVeltrixBrowserCtrl::GetBrowser() { return *m_browser; }

// ---- the window

bool CVeltrixBrowserCtrl::CreateControlWindow(int width, int height) {
  if (m_window) return false;
  m_size = {width, height};
  m_window = std::make_unique<CControlWindow>(*m_browser, m_size);
  if (m_bUserMode && !m_strFileName.empty()) SetFileName(ResolveAgainstDocument(m_strFileName, m_strDocumentAddress));
  if (!m_strCurrentDirectory.empty()) SetCurrentDirectory(std::u16string(m_strCurrentDirectory));
  return true;
}

void CVeltrixBrowserCtrl::Resize(int width, int height) {
  m_size = {width, height};
  if (m_window) m_window->Resize(m_size);
}

bool CVeltrixBrowserCtrl::PaintWindow() { return m_window && m_window->Paint(); }

// ---- properties

bool CVeltrixBrowserCtrl::SetFileName(std::u16string_view name) {
  m_strFileName = name;
  m_bModified = true;
  if (!m_bUserMode) return true;
  if (m_browser->OpenProject(m_strFileName)) return true;
  m_strLastError = std::u16string(kOpenFailed) + m_strFileName;
  return false;
}

void CVeltrixBrowserCtrl::SetCurrentDirectory(std::u16string_view folder) {
  m_strCurrentDirectory = folder;
  m_bModified = true;
  if (!m_bUserMode || folder.empty()) return;
  m_strAppliedFolder = folder;
  if (!m_strAppliedFolder.ends_with(u'\\')) m_strAppliedFolder += u'\\';
  m_browser->SetProjectFolder(m_strAppliedFolder);
}

// ---- methods

bool CVeltrixBrowserCtrl::OpenFile(std::u16string_view name) {
  m_strFileName = name;
  m_bModified = true;
  m_browser->CloseProject();
  if (m_browser->OpenProject(m_strFileName)) return true;
  m_strLastError = std::u16string(kOpenFailed) + m_strFileName;
  return false;
}

bool CVeltrixBrowserCtrl::SetPolicyFile(std::u16string_view file) {
  std::string message;
  if (m_browser->LoadPolicyFile(Utf16ToUtf8(file), message)) return true;
  m_strLastError = Utf8ToUtf16(message);
  return false;
}

CNValue CVeltrixBrowserCtrl::CallPanelMethod(std::u16string_view name, std::span<const CNValue> params) {
  CNValue result;
  std::u16string path, method;
  if (!SplitPanelMethodName(name, path, method)) {
    m_strLastError = kBadMethodName;
    return result;
  }
  if (params.size() > kMaxPanelMethodParams) {
    m_strLastError = kTooManyParams;
    return result;
  }
  CNPRootClientBrowser* root = m_browser->GetRootClient();
  CNScriptImpl* engine = m_browser->GetScriptEngine();
  if (!root || !engine) {
    m_strLastError = kNoProject;
    return result;
  }
  CNObject* target = FindPanelObject(*root, path);
  if (!target) {
    m_strLastError = std::u16string(kNoObject) + path;
    return result;
  }
  std::vector<CNValue> args(params.size());
  for (size_t i = 0; i < params.size(); ++i) args[i].Assign(params[i]);
  const CRPtr<CNObject> keep = CRPtr<CNObject>::Retain(target);  // the method may take it out of the tree
  if (engine->HasFunction(target, method)) {
    if (!engine->RunFunction(target, method, args.data(), static_cast<uint32_t>(args.size()), &result)) {
      result.Clear();
      m_strLastError = std::u16string(kMethodFailed) + std::u16string(name);
    }
    return result;
  }
  const MethodEntry* entry = engine->GetBuiltIns().Find(*target, method);
  if (!entry) {
    m_strLastError = std::u16string(kNoMethod) + std::u16string(name);
    return result;
  }
  std::vector<const CNValue*> pointers;
  for (const CNValue& arg : args) pointers.push_back(&arg);
  CMethodCall call{*target, pointers, result, *engine};
  if (!InvokeMethod(*entry, call)) {
    result.Clear();
    m_strLastError = std::u16string(kMethodFailed) + std::u16string(name);
  }
  return result;
}

void CVeltrixBrowserCtrl::AboutBox() { CAboutDlg().DoModal(); }

// ---- persistence

std::vector<uint8_t> CVeltrixBrowserCtrl::SaveProperties() {
  CControlProperties properties;
  properties.width = m_size.width;
  properties.height = m_size.height;
  properties.fileName = m_strFileName;
  properties.currentDirectory = m_strCurrentDirectory;
  m_bModified = false;
  return properties.Save();
}

bool CVeltrixBrowserCtrl::LoadProperties(std::span<const uint8_t> bytes) {
  CControlProperties properties;
  if (!properties.Load(bytes)) return false;
  if (!m_window) {
    // Stored only: the window's creation opens the project.
    m_size = {properties.width, properties.height};
    m_strFileName = std::move(properties.fileName);
    m_strCurrentDirectory = std::move(properties.currentDirectory);
    return true;
  }
  SetFileName(properties.fileName);
  SetCurrentDirectory(properties.currentDirectory);
  return true;
}

// ---- from the project browser

void CVeltrixBrowserCtrl::FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2) {
  if (m_window) m_container.FirePanelEvent(name, p1, p2);
}

void CVeltrixBrowserCtrl::OnShutdown() {
  m_bShutdownRequested = true;
  m_container.CloseHostWindow();
}
