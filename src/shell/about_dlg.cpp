#include "shell/about_dlg.h"

#include <string>

#include "shell/activex_app.h"
#include "support/message_box.h"

void CAboutDlg::DoModal() {
  const std::u16string text = std::u16string(u"Tarnvale Veltrix Ver6.0\n") + CVeltrixBrowserActiveXApp::kVersionText;
  CRMessageBox::GetCurrent().Show(text, kCaption, MB_OK, MB_ICONINFORMATION);
}
