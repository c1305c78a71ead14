#include "views/view_browser_control.h"

#include "views/view_control.h"

CNPViewBrowserControl::CNPViewBrowserControl(CNPViewHost& host, std::u16string_view name,
                                             CNPViewControl& control)
    : CNPViewBrowser(host, name), m_pControl(&control) {
  SetOwnerControl(&control);
}

void CNPViewBrowserControl::DetachControl() {
  m_pControl = nullptr;
  SetOwnerControl(nullptr);
  CloseForm();
}

void CNPViewBrowserControl::Repaint() {
  if (m_pControl) m_pControl->RequestRedraw();
}

void CNPViewBrowserControl::FormShown() {
  if (m_pControl) m_pControl->InnerFormShown();
}
