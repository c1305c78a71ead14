#pragma once

#include <span>
#include <string>
#include <string_view>

#include "methods/runtime_host.h"

class CNObject;
class CNPProjectBrowser;
class CNPViewBrowser;
class CNValue;

// The root functions that need the project runtime (views and forms, dialogs, the browser
// window, the container), answered for the scripts of the project a CNPProjectBrowser runs.
// Functions that need a screen (printing, screenshots, the pointer, key injection) are not
// answered by a runtime without a window, and scripts get their failure answer.
class CNPRuntimeRequests : public IKVRuntime {
 public:
  explicit CNPRuntimeRequests(CNPProjectBrowser& browser) : m_browser(browser) {}

  // Binds the handler of every function answered here to the function's entry in the built-in
  // tables (CKVBuiltIns::BindRuntimeHandler), once; after RegisterBuiltInMethods. False when a
  // handler names a function no table has.
  static bool RegisterHandlers();

  bool GetProjectFolder(std::u16string& folder) override;
  bool GetProjectFileName(std::u16string& name) override;
  bool Dialog(const CKVDialogRequest& request, CNValue& result) override;
  bool OpenDialog(const CKVDialogParams& params, CNValue& result) override;
  bool Request(std::u16string_view function, std::span<const CNValue* const> args, CNValue& result) override;

  // The system login dialog ("RCLogin") with its "SetInfo" called with args.
  bool OpenLoginDialog(std::span<const CNValue* const> args);
  // The title the host window shows for the project and the form on show in the active view.
  std::u16string ComposeTitle() const;

  using Args = std::span<const CNValue* const>;

 private:
  template <bool (CNPRuntimeRequests::*Handler)(Args, CNValue&)>
  static bool Run(IKVRuntime& runtime, Args args, CNValue& result);

  // The view an argument names ("" or absent: the active view).
  CNPViewBrowser* View(Args args, size_t i) const;
  // Opens a resource dialog form and calls method on it with args.
  bool OpenSystemDialog(std::u16string_view form, std::u16string_view method, bool modal, Args args);
  bool CallFormMethod(CNObject& form, std::u16string_view method, Args args, CNValue* result);

  // Forms and history.
  bool OpenForm(Args args, CNValue& result);
  bool OpenViewForm(Args args, CNValue& result);
  bool OpenHiddenForm(Args args, CNValue& result);
  bool GetForm(Args args, CNValue& result);
  bool OpenHomeForm(Args args, CNValue& result);
  bool OpenPrevForm(Args args, CNValue& result);
  bool OpenNextForm(Args args, CNValue& result);
  bool IsHavePrevForm(Args args, CNValue& result);
  bool IsHaveNextForm(Args args, CNValue& result);
  bool ClearFormHistory(Args args, CNValue& result);
  bool GetCurrentForm(Args args, CNValue& result);
  bool GetCurrentBasedForm(Args args, CNValue& result);
  bool GetPrevForm(Args args, CNValue& result);
  bool GetPrevFormCount(Args args, CNValue& result);
  bool GetNextForm(Args args, CNValue& result);
  bool GetNextFormCount(Args args, CNValue& result);
  // Projects and programs.
  bool OpenFile(Args args, CNValue& result);
  bool OpenBrowser(Args args, CNValue& result);
  bool CloseBrowser(Args args, CNValue& result);
  bool RegisterHotKey(Args args, CNValue& result);
  bool UnregisterHotKey(Args args, CNValue& result);
  // Login.
  bool OpenLoginDialogRequest(Args args, CNValue& result);
  bool CloseLoginDialog(Args args, CNValue& result);
  bool OpenLoginForm(Args args, CNValue& result);
  // The container and the window.
  bool RefreshScreen(Args args, CNValue& result);
  bool FirePanelEvent(Args args, CNValue& result);
  bool UpdateTitle(Args args, CNValue& result);
  bool SetBrowserState(Args args, CNValue& result);
  bool GetBrowserState(Args args, CNValue& result);
  // Zoom and stretch.
  bool SetZoomInRatio(Args args, CNValue& result);
  bool GetZoomInRatio(Args args, CNValue& result);
  bool ZoomIn(Args args, CNValue& result);
  bool ResetZoom(Args args, CNValue& result);
  bool ViewResetZoom(Args args, CNValue& result);
  bool SetZoom(Args args, CNValue& result);
  bool ViewSetZoom(Args args, CNValue& result);
  bool GetZoom(Args args, CNValue& result);
  bool SetStretch(Args args, CNValue& result);
  bool ViewSetStretch(Args args, CNValue& result);
  bool GetActiveViewName(Args args, CNValue& result);
  bool GetActiveDialogName(Args args, CNValue& result);
  // Dialogs by name.
  bool CloseDialog(Args args, CNValue& result);
  bool CloseAllDialog(Args args, CNValue& result);
  bool SetModalDialog(Args args, CNValue& result);
  bool ShowDialog(Args args, CNValue& result);
  bool SetDialogState(Args args, CNValue& result);
  // (kind, parameters...): a system dialog by kind, the form's name with or without "RC"
  // ("YesNoMsg", "RCNumKey"...), its "SetInfo" called with the parameters.
  bool OpenCommon(Args args, bool modal, CNValue& result);
  bool OpenCommonDialog(Args args, CNValue& result);
  bool OpenModalCommonDialog(Args args, CNValue& result);
  // ([kind]): closes that system dialog, or every one.
  bool CloseCommonDialog(Args args, CNValue& result);
  // ("file", "folder" or "font"[, title[, start]]): the desktop's dialog; the choice.
  bool OpenWindowsDialog(Args args, CNValue& result);
  // A function of the project's scripts asked for by a script of another tree (the dialogs).
  bool CallMethod(Args args, CNValue& result);
  // Object methods that reach the view: the object comes first.
  bool SetFocus(Args args, CNValue& result);
  bool LostFocus(Args args, CNValue& result);

  CNPProjectBrowser& m_browser;
  std::u16string m_strBrowserState = u"normal";
};
