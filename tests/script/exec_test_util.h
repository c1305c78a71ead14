#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "controls/form.h"
#include "controls/label_controls.h"
#include "methods/builtin_methods.h"
#include "methods/math_object.h"
#include "objects/object_registry.h"
#include "script/script_engine_impl.h"
#include "support/utf16_text.h"
#include "tags/tag_server_suite.h"
#include "values/value_display.h"

inline CNValue Text(std::u16string_view text) {
  CNValue value;
  value.SetString(text);
  return value;
}

inline CNValue Number(double n) {
  CNValue value;
  value.SetNumber(n);
  return value;
}

// The objects test scripts run among:
//   Root (Form)
//     Math (Math)
//     Form1 (Form)
//       Button1 (Label)       the script under test
//       lblCalendar1 (Label)
// Every ::Trace argument becomes one line of `traces`, every reported error one line of
// `errors` ("title : message"); `output` has both in the order they came.
class BasicScriptWorld : public CNObjectOwner, public IKVScriptErrorSink {
 public:
  BasicScriptWorld() : engine(registry) {
    RegisterBuiltInMethods();
    RegisterObjectClass<CNPForm>(registry, u"Form", {});
    RegisterObjectClass<CNPLabel>(registry, u"Label", {});
    RegisterObjectClass<CNPMath>(registry, u"Math", {});
    root->SetOwner(this);
    root->SetName(u"Root");
    Add(*root, u"Math", u"Math");
    form = Add(*root, u"Form", u"Form1");
    button = Add(*form, u"Label", u"Button1");
    calendar = Add(*form, u"Label", u"lblCalendar1");
    engine.SetErrorSink(this);
    engine.SetTraceOutput([this](const CNValue& value) {
      traces.push_back(Utf16ToUtf8(DisplayText(value)));
      output.push_back(traces.back());
    });
  }
  ~BasicScriptWorld() override {
    engine.Shutdown();
    root->Release();
  }

  CNScript* GetScript() override { return &engine; }
  void OnScriptError(std::u16string_view title, std::u16string_view message) override {
    errors.push_back(Utf16ToUtf8(title) + " : " + Utf16ToUtf8(message));
    output.push_back(errors.back());
  }

  bool LoadScript(CNObject& object, std::u16string_view text) {
    object.SetEvent(text);
    return engine.Load(&object);
  }
  std::string Property(CNObject& object, std::u16string_view name) const {
    CNValue value;
    object.GetProperty(name, value);
    return Utf16ToUtf8(DisplayText(value));
  }

  CPanelControls registry;
  CNScriptImpl engine;
  CNObject* root = new CNPForm;
  CNObject* form = nullptr;
  CNObject* button = nullptr;
  CNObject* calendar = nullptr;
  std::vector<std::string> traces;
  std::vector<std::string> errors;
  std::vector<std::string> output;

 private:
  CNObject* Add(CNObject& parent, std::u16string_view clid, std::u16string_view name) {
    CNObject* child = registry.Create(clid);
    child->SetName(name);
    child->SetProperty(u"Name", CNValue(Text(name)));
    parent.AddChild(child);
    return child;
  }
};

// The world of the language's tests: the root has the global functions "OpenMsg"(text), which
// traces "msg: " and its text, and "GetLoginLastError"(); Form1's script is
//   var g_mustlogin = F; var g_target = "plant";
// and lblCalendar1's
//   var fvValue; function mSetValue(v) { fvValue = v; Text = "day " & v; }
//   function mGetValue() { return fvValue; }
class ScriptWorld : public BasicScriptWorld {
 public:
  ScriptWorld() {
    engine.GetBuiltIns().AddGlobalTable(s_globals);
    LoadScript(*form, u"var g_mustlogin = F; var g_target = \"plant\";");
    LoadScript(*calendar,
               u"var fvValue; function mSetValue(v) { fvValue = v; Text = \"day \" & CStr(v); }\n"
               u"function mGetValue() { return fvValue; }");
  }

  // Loads text as Button1's script.
  bool Load(std::u16string_view text) { return LoadScript(*button, text); }
  bool Run(std::u16string_view name, std::vector<CNValue> args = {}, CNValue* result = nullptr) {
    return engine.RunFunction(button, name, args.data(), static_cast<uint32_t>(args.size()), result);
  }
  // Loads text and runs OnInitialize; what it traced and reported.
  std::vector<std::string> Output(std::u16string_view text) {
    if (Load(text)) Run(u"OnInitialize");
    return output;
  }

 private:
  static bool OpenMsg(CMethodCall& call) {
    if (call.Count() != 1) return false;
    CNValue line;
    line.SetString(u"msg: " + call.Arg(0).GetText(0));
    call.host.TraceValue(line);
    return true;
  }
  static bool GetLoginLastError(CMethodCall& call) {
    call.result.SetString(u"no login");
    return call.Count() == 0;
  }
  static constexpr std::array kGlobals = {
      MethodEntry{u"OpenMsg", "Traces the message", &OpenMsg},
      MethodEntry{u"GetLoginLastError", "Answers no login", &GetLoginLastError},
  };
  inline static const CKVMethodTable s_globals{kGlobals};
};

// A script world whose engine reads and writes a tag suite, started offline when asked.
struct TagScriptWorld {
  explicit TagScriptWorld(bool start = true) {
    if (start) {
      CNTagServerStartInfo offline;
      offline.offline = true;
      tags.Start(offline);
    }
    world.engine.SetTagServer(&tags);
  }
  CNPTagServerSuite tags;
  ScriptWorld world;  // after tags: goes first, releasing its tags
};
