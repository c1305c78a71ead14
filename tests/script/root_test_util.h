#pragma once

// A script world for the root object's global functions: the engine can be given a runtime
// (a fake that records what reaches it), and a temporary folder holds the files a test makes.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/form.h"
#include "controls/label_controls.h"
#include "methods/builtin_methods.h"
#include "methods/runtime_host.h"
#include "objects/object_registry.h"
#include "script/script_engine_impl.h"
#include "support/utf16_text.h"
#include "values/value_display.h"

// The display text of a value as traces print it.
inline std::string Shown(const CNValue& value) {
  return Utf16ToUtf8(DisplayText(value));
}

// One request the runtime received: the function, for dialogs the form, the method, the action
// ("open", "close", "call") and "modal", and the arguments' literal texts.
struct RecordedRequest {
  std::string function;
  std::string form;
  std::string method;
  std::string action;
  bool modal = false;
  std::vector<std::string> args;
};

// A runtime that records every request and answers `answer` (T by default) when `handles` is
// true, else declines like a runtime that cannot do the work.
class FakeRuntime : public IKVRuntime {
 public:
  bool GetProjectFolder(std::u16string& folder) override {
    if (projectFolder.empty()) return false;
    folder = Utf8ToUtf16(projectFolder);
    return true;
  }
  bool GetProjectFileName(std::u16string& name) override {
    name = u"plant.xml";
    return true;
  }
  bool Dialog(const CKVDialogRequest& request, CNValue& result) override {
    static constexpr const char* kActions[] = {"open", "close", "call"};
    Record(request.function, request.args).form = Utf16ToUtf8(request.form);
    requests.back().method = Utf16ToUtf8(request.method);
    requests.back().action = kActions[request.action];
    requests.back().modal = request.modal;
    return Answer(result);
  }
  bool OpenDialog(const CKVDialogParams& params, CNValue& result) override {
    dialog = params;
    requests.push_back({"OpenDialog", Utf16ToUtf8(params.baseFormName), {}, "open", params.modal, {}});
    return Answer(result);
  }
  bool Request(std::u16string_view function, std::span<const CNValue* const> args, CNValue& result) override {
    Record(function, args);
    return Answer(result);
  }

  std::string projectFolder;
  bool handles = true;
  CNValue answer = [] {
    CNValue t;
    t.SetBool(true);
    return t;
  }();
  std::vector<RecordedRequest> requests;
  CKVDialogParams dialog;

 private:
  RecordedRequest& Record(std::u16string_view function, std::span<const CNValue* const> args) {
    RecordedRequest& request = requests.emplace_back();
    request.function = Utf16ToUtf8(function);
    for (const CNValue* arg : args) request.args.push_back(Utf16ToUtf8(arg->ToLiteral(true)));
    return request;
  }
  bool Answer(CNValue& result) {
    result.SetString(u"partial");  // dropped by the caller when the runtime declines
    if (handles) result.Assign(answer);
    return handles;
  }
};

// The engine of a host whose runtime a test chooses.
class RuntimeEngine : public CNScriptImpl {
 public:
  using CNScriptImpl::CNScriptImpl;
  IKVRuntime* GetRuntime() override { return runtime; }
  IKVRuntime* runtime = nullptr;
};

// root (Form)              its script is rootScript
//   Form1 (Form)
//     Button1 (Label)      the script under test
//     lblCalendar1 (Label) function mSetValue(v) { ::Trace("day " & CStr(v)); return v + 1; }
class RootWorld : public CNObjectOwner, public IKVScriptErrorSink {
 public:
  explicit RootWorld(IKVRuntime* runtime = nullptr, std::u16string_view rootScript = u"") : engine(registry) {
    RegisterBuiltInMethods();
    RegisterObjectClass<CNPForm>(registry, u"Form", {});
    RegisterObjectClass<CNPLabel>(registry, u"Label", {});
    engine.runtime = runtime;
    root->SetOwner(this);
    form = Add(*root, u"Form", u"Form1");
    button = Add(*form, u"Label", u"Button1");
    calendar = Add(*form, u"Label", u"lblCalendar1");
    engine.SetErrorSink(this);
    engine.SetTraceOutput([this](const CNValue& value) { output.push_back(Shown(value)); });
    if (!rootScript.empty()) LoadScript(*root, rootScript);
    LoadScript(*calendar, u"function mSetValue(v) { ::Trace(\"day \" & CStr(v)); return v + 1; }");
  }
  ~RootWorld() override {
    engine.Shutdown();
    root->Release();
  }

  CNScript* GetScript() override { return &engine; }
  void OnScriptError(std::u16string_view title, std::u16string_view message) override {
    output.push_back(Utf16ToUtf8(title) + " : " + Utf16ToUtf8(message));
  }

  bool LoadScript(CNObject& object, std::u16string_view text) {
    object.SetEvent(text);
    return engine.Load(&object);
  }
  // Runs text as the body of Button1's OnInitialize; what it traced and reported.
  std::vector<std::string> Run(std::u16string_view body) {
    output.clear();
    if (LoadScript(*button, u"event OnInitialize() {\n" + std::u16string(body) + u"\n}"))
      engine.RunFunction(button, u"OnInitialize", nullptr, 0, nullptr);
    return output;
  }

  CPanelControls registry;
  RuntimeEngine engine;
  CNObject* root = new CNPForm;
  CNObject* form = nullptr;
  CNObject* button = nullptr;
  CNObject* calendar = nullptr;
  std::vector<std::string> output;

 private:
  CNObject* Add(CNObject& parent, std::u16string_view clid, std::u16string_view name) {
    CNObject* child = registry.Create(clid);
    child->SetName(name);
    parent.AddChild(child);
    return child;
  }
};

// A folder of its own under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rootfnXXXXXX").string();
    path = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }
  // The name of a file in the folder as a script literal's content (no quotes, "/" separators).
  std::string File(const std::string& name) const { return (path / name).string(); }

  std::filesystem::path path;
};
