#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class CNValue;

// A request of one of the built-in dialog functions ("OpenYesNoMsg", "CloseNumKey",
// "SetFormMap"...), resolved to the dialog form of the resource project it works on.
struct CKVDialogRequest {
  enum Action : uint8_t {
    kOpen,   // open the form (modally when modal is set), then call method with args on it
    kClose,  // close the form of that name; args as the script gave them
    kCall,   // call method with args on the open form
  };
  std::u16string_view function;  // the name the script called: "OpenModalYesNoMsg"
  Action action = kOpen;
  std::u16string_view form;    // "RCMsg", "RCYesNoMsg", "RCNumKey"...
  std::u16string_view method;  // "SetInfo", "SetInfoEdit", "SetFormMap"...; empty: none
                               // ("OpenMsg" hands its one argument, the message, to the form)
  bool modal = false;
  std::span<const CNValue* const> args;
};

// The parameters of "OpenDialog" and "OpenModalDialog": a form of the project opened in a
// dialog window. Texts are checked and written in one spelling; what is left empty (or unset)
// takes the project's or the form's own setting.
struct CKVDialogParams {
  std::u16string viewName;      // the dialog's name: the view the form is shown in
  std::u16string baseFormName;  // the form of the project to open
  std::u16string formName;      // the name of the opened instance; empty: baseFormName
  std::u16string title;
  std::optional<int32_t> left, top, width, height;
  std::u16string stretch;     // a stretch mode name as the script gave it
  std::u16string dialogType;  // "NORMAL", "SIMPLE", "NOFRAME" or "FULL"
  std::optional<bool> resizable;
  std::u16string basePosX;  // "browser", "parent" or "desktop"
  std::u16string basePosY;
  std::u16string alreadyOpened;  // "error", "show" or "reopen"
  std::u16string showState;      // "hide", "show" or "normal"
  bool modal = false;
};

// What the root object's global functions need of the project runtime: views and forms,
// dialogs, windows and the operator's desktop. The project runtime implements it; a host
// without one (a command-line run, a test) leaves IKVMethodHost::GetRuntime null, and every
// default here answers "not available", so scripts get F or the empty value and go on.
//
// Everything runs on the thread that runs scripts. A result an operation sets is what the
// script's function answers; an operation that answers false leaves the function's failure
// answer in place (whatever it wrote to result is dropped).
class IKVRuntime {
 public:
  virtual ~IKVRuntime() = default;

  // ---- the open project
  // The folder of the open project ("GetCurrentPath", the default configuration file) and the
  // project file's name as it was opened ("GetBrowserFileName"); false when none is open.
  virtual bool GetProjectFolder(std::u16string& /*folder*/) { return false; }
  virtual bool GetProjectFileName(std::u16string& /*name*/) { return false; }

  // ---- dialogs
  // The built-in dialogs (message, question, password, keypads, calendar, form map, colour,
  // search), with the argument counts already checked.
  virtual bool Dialog(const CKVDialogRequest& /*request*/, CNValue& /*result*/) { return false; }
  // "OpenDialog", "OpenModalDialog".
  virtual bool OpenDialog(const CKVDialogParams& /*params*/, CNValue& /*result*/) { return false; }

  // ---- everything else, by the script function's name with its arguments as given (counts
  // checked): forms and history ("OpenForm", "OpenPrevForm", "GetCurrentForm"...), zoom and
  // stretch, windows ("ShowFullScreen", "SetBrowserState"...), input ("GetKeyState",
  // "SendKey", "RegisterHotKey"...), screenshots and printing, login dialogs, the container
  // ("FirePanelEvent", "UpdateTitle"), shutdown, themes ("GetVisualThemes", "GetRGBColor" of
  // an "@" name...), translation and resources, and the dialog functions without a fixed form
  // ("CloseDialog", "SetDialogState", "CloseAllDialog"...). The README's script reference
  // lists each function's arguments.
  virtual bool Request(std::u16string_view /*function*/, std::span<const CNValue* const> /*args*/,
                       CNValue& /*result*/) {
    return false;
  }
};
