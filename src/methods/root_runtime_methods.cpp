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
    RuntimeFunction(u"OpenForm", "Opens a form in a view", 1, 5),
    // (view, form[, stretch[, open param[, instance name]]])
    RuntimeFunction(u"OpenViewForm", "Opens a form in the named view", 2, 5),
    // (form[, instance name[, open param]])
    RuntimeFunction(u"OpenHiddenForm", "Opens a form that runs without being shown", 1, 3),
    // (instance name[, view]) -> form object
    RuntimeFunction(u"GetForm", "The form object open under an instance name", 1, 2, kNothing),
    // ([view])
    RuntimeFunction(u"OpenHomeForm", "Opens the project's default form in a view", 0, 1),
    // ([view])
    RuntimeFunction(u"OpenPrevForm", "Opens the previous form of a view's history", 0, 1),
    // ([view])
    RuntimeFunction(u"OpenNextForm", "Opens the next form of a view's history", 0, 1),
    // ([view])
    RuntimeFunction(u"IsHavePrevForm", "Whether a view's history has a previous form", 0, 1),
    // ([view])
    RuntimeFunction(u"IsHaveNextForm", "Whether a view's history has a next form", 0, 1),
    // ([view])
    RuntimeFunction(u"ClearFormHistory", "Empties a view's form history", 0, 1),
    // ([view]) -> instance name
    RuntimeFunction(u"GetCurrentForm", "The instance name of the form a view shows", 0, 1, kNothing),
    // ([view]) -> form name
    RuntimeFunction(u"GetCurrentBasedForm", "The name of the form a view shows", 0, 1, kNothing),
    // ([view[, steps back]]) -> form name
    RuntimeFunction(u"GetPrevForm", "The form name some steps back in a view's history", 0, 2, kNothing),
    // ([view])
    RuntimeFunction(u"GetPrevFormCount", "The number of forms back in a view's history", 0, 1, kNothing),
    // ([view[, steps forward]])
    RuntimeFunction(u"GetNextForm", "The form name some steps forward in a view's history", 0, 2, kNothing),
    // ([view])
    RuntimeFunction(u"GetNextFormCount", "The number of forms forward in a view's history", 0, 1, kNothing),
    // ---- frames
    // (frame set, property, value)
    RuntimeFunction(u"SetSeparetorProperty", "Sets a property of a frame set's separators", 3, 3),
    // (frame set, property)
    RuntimeFunction(u"GetSeparetorProperty", "A property of a frame set's separators", 2, 2, kNothing),
    // ---- projects, resources, other browsers, documents
    // (project path): opens another project
    RuntimeFunction(u"OpenFile", "Opens another project", 1, 1),
    // (project path): its forms join the resources
    RuntimeFunction(u"AddResourceFile", "Adds another project's forms to the resources", 1, 1),
    RuntimeFunction(u"OpenBrowser", "Starts another host program with a project and arguments", 0, 2, kFalse,
                    CapabilityFamily::kProcesses),  // ([project path[, arguments]])
    // ()
    RuntimeFunction(u"CloseBrowser", "Closes the runtime", 0, 0),
    // (document)
    RuntimeFunction(u"PrintApplicationFile", "Prints a document with the desktop's application for it", 1, 1,
                    kFalse, CapabilityFamily::kProcesses),
    // ---- the operator's input and the pointer
    // ([object or text[, show]])
    RuntimeFunction(u"ShowComment", "Shows or hides an object's comment, or a text", 0, 2),
    // (show)
    RuntimeFunction(u"ShowWaitCursor", "Shows or hides the wait cursor", 1, 1),
    // (key code[, flags])
    RuntimeFunction(u"SendKey", "Sends a key press to the runtime", 1, 2),
    // (show)
    RuntimeFunction(u"ShowMouseCursor", "Shows or hides the mouse cursor", 1, 1),
    // (key code, 0 to 65535)
    RuntimeFunction(u"RegisterHotKey", "Makes a key a hot key of the project", 1, 1),
    // (key code)
    RuntimeFunction(u"UnregisterHotKey", "Releases a hot key", 1, 1),
    // ([object[, method]])
    RuntimeFunction(u"StartMouseSelection",
                    "Starts selecting an area with the mouse, reporting to an object's method", 0, 2),
    // ()
    RuntimeFunction(u"StopMouseSelection", "Stops the mouse selection", 0, 0),
    // ---- login dialogs
    // (login parameters...)
    RuntimeFunction(u"OpenLoginDialog", "Opens the login dialog", 0, kAnyArgs),
    // ()
    RuntimeFunction(u"CloseLoginDialog", "Closes the login dialog", 0, 0),
    // (login parameters...)
    RuntimeFunction(u"OpenLoginForm",
                    "Logs in and opens a project, with settings of the open one for what is left out", 0,
                    kAnyArgs),
    // ---- images, screenshots and printing
    // (image file[, printer[, copies]])
    RuntimeFunction(u"PrintImage", "Prints an image file", 1, 3),
    // ([view[, printer]])
    RuntimeFunction(u"PrintScreenshot", "Prints a picture of a view", 0, 2),
    // (image file[, view])
    RuntimeFunction(u"TakeScreenshot", "Saves a picture of a view as an image file", 1, 2, kFalse,
                    CapabilityFamily::kFiles),
    // ([printer])
    RuntimeFunction(u"PrintDesktopScreenshot", "Prints a picture of the desktop", 0, 1),
    // (image file)
    RuntimeFunction(u"TakeDesktopScreenshot", "Saves a picture of the desktop as an image file", 1, 1, kFalse,
                    CapabilityFamily::kFiles),
    // ([view])
    RuntimeFunction(u"RefreshScreen", "Redraws a view", 0, 1),
    // ---- the container and the browser window
    // (values...): to the container's callback
    RuntimeFunction(u"FirePanelEvent", "Hands a name and values to the container's callback", 0, kAnyArgs),
    // ([title])
    RuntimeFunction(u"UpdateTitle", "Sets the window title", 0, 1),
    // ([on, default T])
    RuntimeFunction(u"ShowFullScreen", "Switches full-screen mode on or off", 0, 1),
    // ([on, default T])
    RuntimeFunction(u"ShowTaskbarIcon", "Shows or hides the taskbar icon", 0, 1),
    // ()
    RuntimeFunction(u"BringBrowserToTop", "Brings the runtime's window to the top", 0, 0),
    // ("normal", "min", "max", "hide" or "show")
    RuntimeFunction(u"SetBrowserState", "Makes the window normal, minimised, maximised, hidden or shown", 1,
                    1),
    // () -> one of those words
    RuntimeFunction(u"GetBrowserState", "The window's state", 0, 0, kNothing),
    // ([reboot])
    RuntimeFunction(u"ShutdownOS", "Shuts the computer down, or restarts it", 0, 1, kFalse,
                    CapabilityFamily::kOs),
    // ---- zoom and stretch
    // (ratio)
    RuntimeFunction(u"SetZoomInRatio", "Sets the factor ZoomIn multiplies by", 1, 1),
    // ()
    RuntimeFunction(u"GetZoomInRatio", "The factor ZoomIn multiplies by", 0, 0, kNothing),
    // ([view])
    RuntimeFunction(u"ZoomIn", "Zooms a view in by the zoom-in ratio", 0, 1),
    // (): the active view
    RuntimeFunction(u"ResetZoom", "Resets the active view's zoom to 1", 0, 0),
    // (view)
    RuntimeFunction(u"ViewResetZoom", "Resets the named view's zoom to 1", 1, 1),
    // (factor, 0.002 to 20): the active view
    RuntimeFunction(u"SetZoom", "Sets the active view's zoom factor", 1, 1),
    // (view, factor)
    RuntimeFunction(u"ViewSetZoom", "Sets the named view's zoom factor", 2, 2),
    // ([view])
    RuntimeFunction(u"GetZoom", "A view's zoom factor", 0, 1, kNothing),
    // (stretch mode): the active view
    RuntimeFunction(u"SetStretch", "Sets the active view's stretch mode", 1, 1),
    // (view, stretch mode)
    RuntimeFunction(u"ViewSetStretch", "Sets the named view's stretch mode", 2, 2),
    // ()
    RuntimeFunction(u"GetActiveViewName", "The name of the active view", 0, 0, kNothing),
    // ()
    RuntimeFunction(u"GetActiveDialogName", "The name of the active dialog", 0, 0, kNothing),
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
    MethodEntry{u"CallMethod", "Runs a function of the root's or another object's script by name",
                &RootCallMethod},
    MethodEntry{u"GetKeyState", "Whether a key is pressed or toggled", &GetKeyState},
    GuardedMethod(u"OpenApplicationFile", "Opens a document in the runtime or with the desktop's application",
                  &OpenApplicationFile, CapabilityFamily::kProcesses, 1, 1),
    GuardedMethod(u"TerminateProcess", "Asks a process to end", &TerminateProcess,
                  CapabilityFamily::kProcesses, 1, 1),
    MethodEntry{u"CallControl87", "Restores the default floating-point environment", &CallControl87},
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
