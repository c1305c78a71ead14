#pragma once

// The control's about box: the product and its version, in a message box owned by the
// container's current message box implementation (an SDL one in the host program).
class CAboutDlg {
 public:
  static constexpr const char16_t* kCaption = u"About Tarnvale Veltrix Ver6.0";
  void DoModal();
};
