// The root object's global functions for forms, views and windows, handed to the runtime
// (IKVRuntime::Request) under their own names with their arguments as given. The argument
// counts are checked here (a wrong count stops the script); without a runtime, or when it does
// not answer, a function answers F, or the empty value for one that asks for something. A few
// functions that can work without views do so.
#include <unistd.h>

#include <array>
#include <cfenv>
#include <csignal>
#include <string>
#include <utility>
#include <vector>

#include "methods/builtin_methods.h"
#include "methods/method_args.h"
#include "methods/root_methods.h"
#include "methods/runtime_host.h"
#include "objects/object.h"
#include "objects/object_tree.h"
#include "objects/script_engine.h"

namespace {

// What a function answers when the runtime cannot do its work.
enum class Failure : uint8_t {
  kFalse,    // F: the function does something
  kNothing,  // the empty value: the function asks for something
};

inline constexpr uint8_t kAny = 0xFF;  // no upper limit of arguments

struct Forwarded {
  std::u16string_view name;
  uint8_t low;   // arguments at least
  uint8_t high;  // arguments at most, kAny for no limit
  Failure failure;
};

// Arguments in [] may be left out; a view argument left out (or "") means the active view,
// the main view "MainView" when no other is active.
constexpr std::array kForwarded = {
    // ---- forms and their history (per view)
    // (form[, view[, stretch[, open param[, instance name]]]])
    Forwarded{u"OpenForm", 1, 5, Failure::kFalse},
    // (view, form[, stretch[, open param[, instance name]]])
    Forwarded{u"OpenViewForm", 2, 5, Failure::kFalse},
    Forwarded{u"OpenHiddenForm", 1, 3, Failure::kFalse},         // (form[, instance name[, open param]])
    Forwarded{u"GetForm", 1, 2, Failure::kNothing},              // (instance name[, view]) -> form object
    Forwarded{u"OpenHomeForm", 0, 1, Failure::kFalse},           // ([view])
    Forwarded{u"OpenPrevForm", 0, 1, Failure::kFalse},           // ([view])
    Forwarded{u"OpenNextForm", 0, 1, Failure::kFalse},           // ([view])
    Forwarded{u"IsHavePrevForm", 0, 1, Failure::kFalse},         // ([view])
    Forwarded{u"IsHaveNextForm", 0, 1, Failure::kFalse},         // ([view])
    Forwarded{u"ClearFormHistory", 0, 1, Failure::kFalse},       // ([view])
    Forwarded{u"GetCurrentForm", 0, 1, Failure::kNothing},       // ([view]) -> instance name
    Forwarded{u"GetCurrentBasedForm", 0, 1, Failure::kNothing},  // ([view]) -> form name
    Forwarded{u"GetPrevForm", 0, 2, Failure::kNothing},          // ([view[, steps back]]) -> form name
    Forwarded{u"GetPrevFormCount", 0, 1, Failure::kNothing},     // ([view])
    Forwarded{u"GetNextForm", 0, 2, Failure::kNothing},          // ([view[, steps forward]])
    Forwarded{u"GetNextFormCount", 0, 1, Failure::kNothing},     // ([view])
    // ---- frames
    Forwarded{u"SetSeparetorProperty", 3, 3, Failure::kFalse},    // (frame set, property, value)
    Forwarded{u"GetSeparetorProperty", 2, 2, Failure::kNothing},  // (frame set, property)
    // ---- projects, resources, other browsers, documents
    Forwarded{u"OpenFile", 1, 1, Failure::kFalse},         // (project path): opens another project
    Forwarded{u"AddResourceFile", 1, 1, Failure::kFalse},  // (project path): its forms join the resources
    Forwarded{u"OpenBrowser", 0, 2, Failure::kFalse},      // ([project path[, arguments]])
    Forwarded{u"CloseBrowser", 0, 0, Failure::kFalse},     // ()
    Forwarded{u"PrintApplicationFile", 1, 1, Failure::kFalse},  // (document)
    // ---- the operator's input and the pointer
    Forwarded{u"ShowComment", 0, 2, Failure::kFalse},          // ([object or text[, show]])
    Forwarded{u"ShowWaitCursor", 1, 1, Failure::kFalse},       // (show)
    Forwarded{u"SendKey", 1, 2, Failure::kFalse},              // (key code[, flags])
    Forwarded{u"ShowMouseCursor", 1, 1, Failure::kFalse},      // (show)
    Forwarded{u"RegisterHotKey", 1, 1, Failure::kFalse},       // (key code, 0 to 65535)
    Forwarded{u"UnregisterHotKey", 1, 1, Failure::kFalse},     // (key code)
    Forwarded{u"StartMouseSelection", 0, 2, Failure::kFalse},  // ([object[, method]])
    Forwarded{u"StopMouseSelection", 0, 0, Failure::kFalse},   // ()
    // ---- login dialogs
    Forwarded{u"OpenLoginDialog", 0, kAny, Failure::kFalse},  // (login parameters...)
    Forwarded{u"CloseLoginDialog", 0, 0, Failure::kFalse},    // ()
    Forwarded{u"OpenLoginForm", 0, kAny, Failure::kFalse},    // (login parameters...)
    // ---- images, screenshots and printing
    Forwarded{u"PrintImage", 1, 3, Failure::kFalse},              // (image file[, printer[, copies]])
    Forwarded{u"PrintScreenshot", 0, 2, Failure::kFalse},         // ([view[, printer]])
    Forwarded{u"TakeScreenshot", 1, 2, Failure::kFalse},          // (image file[, view])
    Forwarded{u"PrintDesktopScreenshot", 0, 1, Failure::kFalse},  // ([printer])
    Forwarded{u"TakeDesktopScreenshot", 1, 1, Failure::kFalse},   // (image file)
    Forwarded{u"RefreshScreen", 0, 1, Failure::kFalse},           // ([view])
    // ---- the container and the browser window
    Forwarded{u"FirePanelEvent", 0, kAny, Failure::kFalse},  // (values...): to the container's callback
    Forwarded{u"UpdateTitle", 0, 1, Failure::kFalse},        // ([title])
    Forwarded{u"ShowFullScreen", 0, 1, Failure::kFalse},     // ([on, default T])
    Forwarded{u"ShowTaskbarIcon", 0, 1, Failure::kFalse},    // ([on, default T])
    Forwarded{u"BringBrowserToTop", 0, 0, Failure::kFalse},  // ()
    Forwarded{u"SetBrowserState", 1, 1, Failure::kFalse},    // ("normal", "min", "max", "hide" or "show")
    Forwarded{u"GetBrowserState", 0, 0, Failure::kNothing},  // () -> one of those words
    Forwarded{u"ShutdownOS", 0, 1, Failure::kFalse},         // ([reboot])
    // ---- zoom and stretch
    Forwarded{u"SetZoomInRatio", 1, 1, Failure::kFalse},         // (ratio)
    Forwarded{u"GetZoomInRatio", 0, 0, Failure::kNothing},       // ()
    Forwarded{u"ZoomIn", 0, 1, Failure::kFalse},                 // ([view])
    Forwarded{u"ResetZoom", 0, 0, Failure::kFalse},              // (): the active view
    Forwarded{u"ViewResetZoom", 1, 1, Failure::kFalse},          // (view)
    Forwarded{u"SetZoom", 1, 1, Failure::kFalse},                // (factor, 0.002 to 20): the active view
    Forwarded{u"ViewSetZoom", 2, 2, Failure::kFalse},            // (view, factor)
    Forwarded{u"GetZoom", 0, 1, Failure::kNothing},              // ([view])
    Forwarded{u"SetStretch", 1, 1, Failure::kFalse},             // (stretch mode): the active view
    Forwarded{u"ViewSetStretch", 2, 2, Failure::kFalse},         // (view, stretch mode)
    Forwarded{u"GetActiveViewName", 0, 0, Failure::kNothing},    // ()
    Forwarded{u"GetActiveDialogName", 0, 0, Failure::kNothing},  // ()
};

bool RuntimeAnswers(CMethodCall& call, std::u16string_view name) {
  IKVRuntime* runtime = call.host.GetRuntime();
  if (runtime && runtime->Request(name, call.args, call.result)) return true;
  call.result.Clear();
  return false;
}

template <size_t I>
bool Forward(CMethodCall& call) {
  constexpr Forwarded function = kForwarded[I];
  if (call.Count() < function.low || (function.high != kAny && call.Count() > function.high)) return false;
  if (!RuntimeAnswers(call, function.name) && function.failure == Failure::kFalse) call.result.SetBool(false);
  return true;
}

template <size_t... I>
constexpr auto ForwardedEntries(std::index_sequence<I...>) {
  return std::array{MethodEntry{kForwarded[I].name, &Forward<I>}...};
}

// ---- functions that work without views

// "CallMethod"(name, arguments...): runs the function name of the root's script, or, for a name
// "path.function", the function of the object the path of names leads to from the root
// ("Form1.Button1.mSetValue"), and answers its result. A function no script defines is asked
// of the runtime (forms it shows); the empty value when nobody has it.
bool RootCallMethod(CMethodCall& call) {
  if (call.Count() < 1) return false;
  const std::u16string name = ArgText(call.Arg(0));
  CNObject& root = *call.target.GetRoot();
  CNObject* owner = &root;
  std::u16string_view function = name;
  if (const size_t dot = name.rfind(u'.'); dot != std::u16string::npos) {
    owner = FindObjectByPath(root, std::u16string_view(name).substr(0, dot));
    function = std::u16string_view(name).substr(dot + 1);
  }
  CNObjectOwner* objects = root.GetOwner();
  CNScript* script = objects ? objects->GetScript() : nullptr;
  if (owner && script && script->HasFunction(owner, function)) {
    std::vector<CNValue> args(call.Count() - 1);
    for (size_t i = 0; i < args.size(); ++i) args[i].Assign(call.Arg(i + 1));
    // A function that fails has reported its error; the caller goes on with the empty value.
    if (!script->RunFunction(owner, function, args.data(), static_cast<uint32_t>(args.size()), &call.result))
      call.result.Clear();
    return true;
  }
  RuntimeAnswers(call, u"CallMethod");
  return true;
}

// "GetKeyState"(key code): the state of the key as the runtime sees it (bit 0x8000 pressed,
// bit 1 toggled); 0 without a runtime.
bool GetKeyState(CMethodCall& call) {
  if (call.Count() != 1) return false;
  if (!RuntimeAnswers(call, u"GetKeyState")) call.result.SetNumber(0);
  return true;
}

// "OpenApplicationFile"(document): the runtime opens it, else the desktop's application for it
// (as the common function does).
bool OpenApplicationFile(CMethodCall& call) {
  if (call.Count() != 1) return false;
  if (RuntimeAnswers(call, u"OpenApplicationFile")) return true;
  const int32_t common = CommonMethods().Find(u"OpenApplicationFile");
  if (common < 0) {
    call.result.SetBool(false);
    return true;
  }
  return CommonMethods().GetEntry(common).function(call);
}

// "TerminateProcess"(process id): asks the process to end (SIGTERM); T when it was asked. The
// runtime's own process and process ids below 2 are refused.
bool TerminateProcess(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const int32_t id = ArgInt32(call.Arg(0));
  call.result.SetBool(id > 1 && id != ::getpid() && ::kill(id, SIGTERM) == 0);
  return true;
}

// "CallControl87"(...): restores the default floating-point environment (rounding to nearest,
// no exceptions trapped), which a library may have changed; T. Arguments are ignored.
bool CallControl87(CMethodCall& call) {
  call.result.SetBool(std::fesetenv(FE_DFL_ENV) == 0);
  return true;
}

constexpr auto kForwardedEntries = ForwardedEntries(std::make_index_sequence<kForwarded.size()>());

constexpr std::array kDirectEntries = {
    MethodEntry{u"CallMethod", &RootCallMethod},
    MethodEntry{u"GetKeyState", &GetKeyState},
    MethodEntry{u"OpenApplicationFile", &OpenApplicationFile},
    MethodEntry{u"TerminateProcess", &TerminateProcess},
    MethodEntry{u"CallControl87", &CallControl87},
};

}  // namespace

std::span<const MethodEntry> RootRuntimeMethods() {
  static const std::vector<MethodEntry> s_entries = [] {
    std::vector<MethodEntry> entries(kDirectEntries.begin(), kDirectEntries.end());
    entries.insert(entries.end(), kForwardedEntries.begin(), kForwardedEntries.end());
    return entries;
  }();
  return s_entries;
}
