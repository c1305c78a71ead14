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
#include "methods/runtime_forward.h"
#include "methods/runtime_host.h"
#include "objects/object.h"
#include "objects/object_tree.h"
#include "objects/script_engine.h"

namespace {

using enum MethodFailure;

// Arguments in [] may be left out; a view argument left out (or "") means the active view,
// the main view "MainView" when no other is active.
constexpr std::array kForwarded = {
    // ---- forms and their history (per view)
    // (form[, view[, stretch[, open param[, instance name]]]])
    RuntimeFunction(u"OpenForm", 1, 5),
    // (view, form[, stretch[, open param[, instance name]]])
    RuntimeFunction(u"OpenViewForm", 2, 5),
    RuntimeFunction(u"OpenHiddenForm", 1, 3),                 // (form[, instance name[, open param]])
    RuntimeFunction(u"GetForm", 1, 2, kNothing),              // (instance name[, view]) -> form object
    RuntimeFunction(u"OpenHomeForm", 0, 1),                   // ([view])
    RuntimeFunction(u"OpenPrevForm", 0, 1),                   // ([view])
    RuntimeFunction(u"OpenNextForm", 0, 1),                   // ([view])
    RuntimeFunction(u"IsHavePrevForm", 0, 1),                 // ([view])
    RuntimeFunction(u"IsHaveNextForm", 0, 1),                 // ([view])
    RuntimeFunction(u"ClearFormHistory", 0, 1),               // ([view])
    RuntimeFunction(u"GetCurrentForm", 0, 1, kNothing),       // ([view]) -> instance name
    RuntimeFunction(u"GetCurrentBasedForm", 0, 1, kNothing),  // ([view]) -> form name
    RuntimeFunction(u"GetPrevForm", 0, 2, kNothing),          // ([view[, steps back]]) -> form name
    RuntimeFunction(u"GetPrevFormCount", 0, 1, kNothing),     // ([view])
    RuntimeFunction(u"GetNextForm", 0, 2, kNothing),          // ([view[, steps forward]])
    RuntimeFunction(u"GetNextFormCount", 0, 1, kNothing),     // ([view])
    // ---- frames
    RuntimeFunction(u"SetSeparetorProperty", 3, 3),            // (frame set, property, value)
    RuntimeFunction(u"GetSeparetorProperty", 2, 2, kNothing),  // (frame set, property)
    // ---- projects, resources, other browsers, documents
    RuntimeFunction(u"OpenFile", 1, 1),         // (project path): opens another project
    RuntimeFunction(u"AddResourceFile", 1, 1),  // (project path): its forms join the resources
    RuntimeFunction(u"OpenBrowser", 0, 2, kFalse,
                    CapabilityFamily::kProcesses),  // ([project path[, arguments]])
    RuntimeFunction(u"CloseBrowser", 0, 0),         // ()
    RuntimeFunction(u"PrintApplicationFile", 1, 1, kFalse, CapabilityFamily::kProcesses),  // (document)
    // ---- the operator's input and the pointer
    RuntimeFunction(u"ShowComment", 0, 2),          // ([object or text[, show]])
    RuntimeFunction(u"ShowWaitCursor", 1, 1),       // (show)
    RuntimeFunction(u"SendKey", 1, 2),              // (key code[, flags])
    RuntimeFunction(u"ShowMouseCursor", 1, 1),      // (show)
    RuntimeFunction(u"RegisterHotKey", 1, 1),       // (key code, 0 to 65535)
    RuntimeFunction(u"UnregisterHotKey", 1, 1),     // (key code)
    RuntimeFunction(u"StartMouseSelection", 0, 2),  // ([object[, method]])
    RuntimeFunction(u"StopMouseSelection", 0, 0),   // ()
    // ---- login dialogs
    RuntimeFunction(u"OpenLoginDialog", 0, kAnyArgs),  // (login parameters...)
    RuntimeFunction(u"CloseLoginDialog", 0, 0),        // ()
    RuntimeFunction(u"OpenLoginForm", 0, kAnyArgs),    // (login parameters...)
    // ---- images, screenshots and printing
    RuntimeFunction(u"PrintImage", 1, 3),       // (image file[, printer[, copies]])
    RuntimeFunction(u"PrintScreenshot", 0, 2),  // ([view[, printer]])
    RuntimeFunction(u"TakeScreenshot", 1, 2, kFalse, CapabilityFamily::kFiles),  // (image file[, view])
    RuntimeFunction(u"PrintDesktopScreenshot", 0, 1),                            // ([printer])
    RuntimeFunction(u"TakeDesktopScreenshot", 1, 1, kFalse, CapabilityFamily::kFiles),  // (image file)
    RuntimeFunction(u"RefreshScreen", 0, 1),                                            // ([view])
    // ---- the container and the browser window
    RuntimeFunction(u"FirePanelEvent", 0, kAnyArgs),      // (values...): to the container's callback
    RuntimeFunction(u"UpdateTitle", 0, 1),                // ([title])
    RuntimeFunction(u"ShowFullScreen", 0, 1),             // ([on, default T])
    RuntimeFunction(u"ShowTaskbarIcon", 0, 1),            // ([on, default T])
    RuntimeFunction(u"BringBrowserToTop", 0, 0),          // ()
    RuntimeFunction(u"SetBrowserState", 1, 1),            // ("normal", "min", "max", "hide" or "show")
    RuntimeFunction(u"GetBrowserState", 0, 0, kNothing),  // () -> one of those words
    RuntimeFunction(u"ShutdownOS", 0, 1, kFalse, CapabilityFamily::kOs),  // ([reboot])
    // ---- zoom and stretch
    RuntimeFunction(u"SetZoomInRatio", 1, 1),                 // (ratio)
    RuntimeFunction(u"GetZoomInRatio", 0, 0, kNothing),       // ()
    RuntimeFunction(u"ZoomIn", 0, 1),                         // ([view])
    RuntimeFunction(u"ResetZoom", 0, 0),                      // (): the active view
    RuntimeFunction(u"ViewResetZoom", 1, 1),                  // (view)
    RuntimeFunction(u"SetZoom", 1, 1),                        // (factor, 0.002 to 20): the active view
    RuntimeFunction(u"ViewSetZoom", 2, 2),                    // (view, factor)
    RuntimeFunction(u"GetZoom", 0, 1, kNothing),              // ([view])
    RuntimeFunction(u"SetStretch", 1, 1),                     // (stretch mode): the active view
    RuntimeFunction(u"ViewSetStretch", 2, 2),                 // (view, stretch mode)
    RuntimeFunction(u"GetActiveViewName", 0, 0, kNothing),    // ()
    RuntimeFunction(u"GetActiveDialogName", 0, 0, kNothing),  // ()
};

bool RuntimeAnswers(CMethodCall& call, std::u16string_view name) {
  IKVRuntime* runtime = call.host.GetRuntime();
  if (runtime && runtime->Request(name, call.args, call.result)) return true;
  call.result.Clear();
  return false;
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

constexpr auto kForwardedEntries = ForwardedEntries<kForwarded>();

constexpr std::array kDirectEntries = {
    MethodEntry{u"CallMethod", &RootCallMethod},
    MethodEntry{u"GetKeyState", &GetKeyState},
    GuardedMethod(u"OpenApplicationFile", &OpenApplicationFile, CapabilityFamily::kProcesses, 1, 1),
    GuardedMethod(u"TerminateProcess", &TerminateProcess, CapabilityFamily::kProcesses, 1, 1),
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
