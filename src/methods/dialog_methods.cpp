// The root object's dialog functions, handed to the runtime. The built-in dialogs (message,
// questions, password, keypads, calendar, form map, colour, search) open forms of the resource
// project by fixed names and hand the script's arguments to the form's own method; "OpenDialog"
// opens a form of the project in a dialog window; the rest go to the runtime by name. Argument
// counts are checked first (a wrong count stops the script); without a runtime, or when it does
// not answer, every dialog function answers F.
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "methods/method_args.h"
#include "methods/root_methods.h"
#include "methods/runtime_forward.h"
#include "methods/runtime_host.h"
#include "support/utf16_text.h"

namespace {

using Action = CKVDialogRequest::Action;

struct BuiltInDialog {
  std::u16string_view name;
  std::string_view description;
  Action action;
  std::u16string_view form;
  std::u16string_view method;
  bool modal;
  uint8_t low;   // arguments at least
  uint8_t high;  // arguments at most, kAnyArgs for no limit
};

constexpr BuiltInDialog Open(std::u16string_view name, std::string_view description, std::u16string_view form,
                             std::u16string_view method, uint8_t low, uint8_t high) {
  return {name, description, CKVDialogRequest::kOpen, form, method, false, low, high};
}
constexpr BuiltInDialog OpenModal(std::u16string_view name, std::string_view description,
                                  std::u16string_view form, std::u16string_view method, uint8_t low,
                                  uint8_t high) {
  return {name, description, CKVDialogRequest::kOpen, form, method, true, low, high};
}
constexpr BuiltInDialog Close(std::u16string_view name, std::string_view description,
                              std::u16string_view form) {
  return {name, description, CKVDialogRequest::kClose, form, {}, false, 0, kAnyArgs};
}
constexpr BuiltInDialog Call(std::u16string_view name, std::string_view description, std::u16string_view form,
                             std::u16string_view method, uint8_t low) {
  return {name, description, CKVDialogRequest::kCall, form, method, false, low, kAnyArgs};
}

constexpr std::array kBuiltInDialogs = {
    Open(u"OpenMsg", "Opens the message dialog", u"RCMsg", {}, 1, 1),
    OpenModal(u"OpenModalMsg", "Opens the message dialog modally", u"RCMsg", {}, 1, 1),
    Close(u"CloseMsg", "Closes the message dialog", u"RCMsg"),
    Open(u"OpenYesNoMsg", "Opens the yes/no question dialog", u"RCYesNoMsg", u"SetInfo", 2, 2),
    OpenModal(u"OpenModalYesNoMsg", "Opens the yes/no question dialog modally", u"RCYesNoMsg", u"SetInfo", 2,
              2),
    Close(u"CloseYesNoMsg", "Closes the yes/no question dialog", u"RCYesNoMsg"),
    Open(u"OpenYesNoCancelMsg", "Opens the yes/no/cancel question dialog", u"RCYesNoCancelMsg", u"SetInfo", 2,
         2),
    OpenModal(u"OpenModalYesNoCancelMsg", "Opens the yes/no/cancel question dialog modally",
              u"RCYesNoCancelMsg", u"SetInfo", 2, 2),
    Close(u"CloseYesNoCancelMsg", "Closes the yes/no/cancel question dialog", u"RCYesNoCancelMsg"),
    Open(u"OpenPassword", "Opens the password dialog", u"RCPassword", u"SetInfo", 3, 3),
    OpenModal(u"OpenModalPassword", "Opens the password dialog modally", u"RCPassword", u"SetInfo", 3, 3),
    Close(u"ClosePassword", "Closes the password dialog", u"RCPassword"),
    Open(u"OpenNumKey", "Opens the numeric keypad", u"RCNumKey", u"SetInfo", 4, 4),
    OpenModal(u"OpenModalNumKey", "Opens the numeric keypad modally", u"RCNumKey", u"SetInfo", 4, 4),
    Open(u"OpenNumKeyEdit", "Opens the numeric keypad for an edit box", u"RCNumKey", u"SetInfoEdit", 1, 1),
    OpenModal(u"OpenModalNumKeyEdit", "Opens the numeric keypad for an edit box modally", u"RCNumKey",
              u"SetInfoEdit", 1, 1),
    Close(u"CloseNumKey", "Closes the numeric keypad", u"RCNumKey"),
    Open(u"OpenTextKey", "Opens the text keyboard", u"RCTextKey", u"SetInfo", 4, 4),
    OpenModal(u"OpenModalTextKey", "Opens the text keyboard modally", u"RCTextKey", u"SetInfo", 4, 4),
    Open(u"OpenTextKeyEdit", "Opens the text keyboard for an edit box", u"RCTextKey", u"SetInfoEdit", 1, 1),
    OpenModal(u"OpenModalTextKeyEdit", "Opens the text keyboard for an edit box modally", u"RCTextKey",
              u"SetInfoEdit", 1, 1),
    Close(u"CloseTextKey", "Closes the text keyboard", u"RCTextKey"),
    Open(u"OpenCalender", "Opens the calendar dialog (as OpenCalendar)", u"RCCalendar", u"SetInfo", 0,
         kAnyArgs),
    Open(u"OpenCalendar", "Opens the calendar dialog", u"RCCalendar", u"SetInfo", 0, kAnyArgs),
    OpenModal(u"OpenModalCalendar", "Opens the calendar dialog modally", u"RCCalendar", u"SetInfo", 0,
              kAnyArgs),
    Close(u"CloseCalender", "Closes the calendar dialog (as CloseCalendar)", u"RCCalendar"),
    Close(u"CloseCalendar", "Closes the calendar dialog", u"RCCalendar"),
    Open(u"OpenFormMap", "Opens the form map dialog", u"RCFormMap", u"SetFormMap", 1, kAnyArgs),
    OpenModal(u"OpenModalFormMap", "Opens the form map dialog modally", u"RCFormMap", u"SetFormMap", 1,
              kAnyArgs),
    Call(u"SetFormMap", "Sets the entries of the form map dialog", u"RCFormMap", u"SetFormMap", 1),
    Call(u"ClearFormMap", "Clears the form map dialog", u"RCFormMap", u"ClearFormMap", 0),
    Call(u"RefreshFormMap", "Refreshes the form map dialog", u"RCFormMap", u"RefreshFormMap", 0),
    Close(u"CloseFormMap", "Closes the form map dialog", u"RCFormMap"),
    Open(u"OpenColor", "Opens the colour dialog", u"RCColor", u"SetInfo", 0, kAnyArgs),
    OpenModal(u"OpenModalColor", "Opens the colour dialog modally", u"RCColor", u"SetInfo", 0, kAnyArgs),
    Close(u"CloseColor", "Closes the colour dialog", u"RCColor"),
    Open(u"OpenSearch", "Opens the search dialog", u"RCSearch", u"SetInfo", 2, kAnyArgs),
    OpenModal(u"OpenModalSearch", "Opens the search dialog modally", u"RCSearch", u"SetInfo", 2, kAnyArgs),
    Close(u"CloseSearch", "Closes the search dialog", u"RCSearch"),
};

template <size_t I>
bool BuiltIn(CMethodCall& call) {
  constexpr BuiltInDialog dialog = kBuiltInDialogs[I];
  if (!MethodEntry{dialog.name, dialog.description, nullptr, dialog.low, dialog.high}.Accepts(call.Count()))
    return false;
  const CKVDialogRequest request{dialog.name,   dialog.action, dialog.form,
                                 dialog.method, dialog.modal,  call.args};
  IKVRuntime* runtime = call.host.GetRuntime();
  if (!runtime || !runtime->Dialog(request, call.result)) call.result.SetBool(false);
  return true;
}

template <size_t... I>
constexpr auto BuiltInEntries(std::index_sequence<I...>) {
  return std::array{MethodEntry{kBuiltInDialogs[I].name, kBuiltInDialogs[I].description, &BuiltIn<I>,
                                kBuiltInDialogs[I].low, kBuiltInDialogs[I].high, MethodFailure::kFalse}...};
}

// ---- "OpenDialog"(form[, dialog name[, title[, left[, top[, width[, height[, base x[, base y
//      [, dialog type[, resizable[, stretch[, instance name[, already opened[, show state]]]]]]]]]]]]]])
// An argument left out, or given as "" or the empty value, takes the project's or the form's
// setting; the dialog's name defaults to the form's.

constexpr size_t kMaxOpenDialogArgs = 15;

bool IsUnset(const CMethodCall& call, size_t i) {
  return i >= call.Count() || call.Arg(i).IsEmpty() || ArgText(call.Arg(i)).empty();
}

// The argument's text when it is one of words (compared without regard to case), written as
// the list writes it; false for any other text.
template <size_t N>
bool Word(const CMethodCall& call, size_t i, const std::array<std::u16string_view, N>& words,
          std::u16string& out) {
  if (IsUnset(call, i)) return true;
  const std::u16string text = ArgText(call.Arg(i));
  for (const std::u16string_view word : words) {
    if (EqualsIgnoreCaseAscii(text, word)) {
      out = word;
      return true;
    }
  }
  return false;
}

constexpr std::array<std::u16string_view, 3> kBasePositions = {u"browser", u"parent", u"desktop"};
constexpr std::array<std::u16string_view, 4> kDialogTypes = {u"NORMAL", u"SIMPLE", u"NOFRAME", u"FULL"};
constexpr std::array<std::u16string_view, 3> kAlreadyOpened = {u"error", u"show", u"reopen"};
constexpr std::array<std::u16string_view, 3> kShowStates = {u"hide", u"show", u"normal"};

std::optional<int32_t> Number(const CMethodCall& call, size_t i) {
  return IsUnset(call, i) ? std::nullopt : std::optional<int32_t>(ArgInt32(call.Arg(i)));
}

template <bool Modal>
bool OpenDialog(CMethodCall& call) {
  if (!ArgCountIn(call, 1, kMaxOpenDialogArgs)) return false;
  CKVDialogParams params;
  params.modal = Modal;
  params.baseFormName = ArgText(call.Arg(0));
  params.viewName = IsUnset(call, 1) ? params.baseFormName : ArgText(call.Arg(1));
  if (!IsUnset(call, 2)) params.title = ArgText(call.Arg(2));
  params.left = Number(call, 3);
  params.top = Number(call, 4);
  params.width = Number(call, 5);
  params.height = Number(call, 6);
  if (!Word(call, 7, kBasePositions, params.basePosX) || !Word(call, 8, kBasePositions, params.basePosY) ||
      !Word(call, 9, kDialogTypes, params.dialogType))
    return false;
  if (!IsUnset(call, 10)) params.resizable = call.Arg(10).GetBool(0);
  if (!IsUnset(call, 11)) params.stretch = ArgText(call.Arg(11));
  if (!IsUnset(call, 12)) params.formName = ArgText(call.Arg(12));
  if (!Word(call, 13, kAlreadyOpened, params.alreadyOpened) || !Word(call, 14, kShowStates, params.showState))
    return false;
  IKVRuntime* runtime = call.host.GetRuntime();
  if (!runtime || !runtime->OpenDialog(params, call.result)) call.result.SetBool(false);
  return true;
}

// ---- the other dialog functions, to the runtime by name

constexpr std::array<std::u16string_view, 11> kDialogStates = {
    u"NORMAL", u"MINIMUM", u"MAXIMUM", u"CLOSE", u"MIN", u"MAX", u"hide", u"show", u"max", u"min", u"normal"};

// Whether every argument from the second on is a state word; a state is handed on as written.
bool StatesKnown(const CMethodCall& call) {
  for (size_t i = 1; i < call.Count(); ++i) {
    std::u16string state;
    if (IsUnset(call, i) || !Word(call, i, kDialogStates, state)) return false;
  }
  return true;
}

constexpr std::array kNamedDialogFunctions = {
    // (dialog[, modal])
    RuntimeFunction(u"SetModalDialog", "Makes a dialog modal, or releases it", 1, 2),
    // (dialog, menu[, enable])
    RuntimeFunction(u"EnableDialogMenu", "Enables or disables a dialog's menu", 2, 3),
    // ([dialog]): the active one without
    RuntimeFunction(u"CloseDialog", "Closes a dialog, the active one without a name", 0, 1),
    // (dialog, show)
    RuntimeFunction(u"ShowDialog", "Shows or hides a dialog", 2, 2),
    // ()
    RuntimeFunction(u"CloseAllDialog", "Closes every dialog", 0, 0),
    // (kind, parameters...)
    RuntimeFunction(u"OpenCommonDialog", "Opens a built-in common dialog", 1, kAnyArgs),
    // (kind, parameters...)
    RuntimeFunction(u"OpenModalCommonDialog", "Opens a built-in common dialog modally", 1, kAnyArgs),
    // ([kind])
    RuntimeFunction(u"CloseCommonDialog", "Closes a built-in common dialog", 0, 1),
    // ("file", "folder" or "font", parameters...)
    RuntimeFunction(u"OpenWindowsDialog", "Opens the system's file, folder or font dialog", 1, kAnyArgs),
    // (the same)
    RuntimeFunction(u"OpenWindowsCommonDialog",
                    "Opens the system's file, folder or font dialog (as OpenWindowsDialog)", 1, kAnyArgs),
    // (dialog...)
    RuntimeFunction(u"BringDialogToTop", "Brings dialogs to the top", 1, kAnyArgs),
    // (dialog, dialog...) -> their order
    RuntimeFunction(u"GetDialogZOrder", "The stacking order of dialogs", 2, kAnyArgs),
};

// (dialog, state...): every state one of the state words, handed on as written.
constexpr MethodEntry kSetDialogState = RuntimeFunction(
    u"SetDialogState", "Sets a dialog's window state, or closes, hides or shows it", 2, kAnyArgs);

bool SetDialogState(CMethodCall& call) {
  if (!kSetDialogState.Accepts(call.Count()) || !StatesKnown(call)) return false;
  return ForwardToRuntime(kSetDialogState, call);
}

constexpr auto kBuiltInEntries = BuiltInEntries(std::make_index_sequence<kBuiltInDialogs.size()>());
constexpr auto kNamedEntries = ForwardedEntries<kNamedDialogFunctions>();
constexpr std::array kOpenDialogEntries = {
    MethodEntry{u"OpenDialog", "Opens a form of the project in a dialog window", &OpenDialog<false>},
    MethodEntry{u"OpenModalDialog", "Opens a form of the project in a modal dialog window",
                &OpenDialog<true>},
    MethodEntry{kSetDialogState.name, kSetDialogState.description, &SetDialogState, kSetDialogState.minArgs,
                kSetDialogState.maxArgs, kSetDialogState.failure},
};

}  // namespace

std::span<const MethodEntry> DialogMethods() {
  static const std::vector<MethodEntry> s_entries = [] {
    std::vector<MethodEntry> entries(kOpenDialogEntries.begin(), kOpenDialogEntries.end());
    entries.insert(entries.end(), kNamedEntries.begin(), kNamedEntries.end());
    entries.insert(entries.end(), kBuiltInEntries.begin(), kBuiltInEntries.end());
    return entries;
  }();
  return s_entries;
}
