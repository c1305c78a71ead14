#include <gtest/gtest.h>

#include "exec_test_util.h"
#include "objects/object_handles.h"
#include "support/message_box.h"
#include "support/trace_capture.h"

TEST(ScriptEngine, CompileErrorsAreReportedWithLineAndColumnAndLeaveNoScript) {
  ScriptWorld world;
  EXPECT_TRUE(world.Load(u"event OnInitialize() { }"));
  EXPECT_FALSE(world.Load(u"var a;\nevent OnInitialize() {\n\tx = ;\n}"));
  EXPECT_EQ(world.errors,
            (std::vector<std::string>{"Compilation Error : Unexpected Semicolon ; (line 3, column 10)"}));
  EXPECT_FALSE(world.engine.HasFunction(world.button, u"OnInitialize"));
  EXPECT_FALSE(world.Run(u"OnInitialize"));
}

TEST(ScriptEngine, WithoutErrorSinkErrorsGoToAMessageBoxAndAlwaysToTheTrace) {
  ScriptWorld world;
  world.engine.SetErrorSink(nullptr);
  CRRecordingMessageBox box;
  CRMessageBox* previous = CRMessageBox::SetCurrent(&box);
  TraceCapture trace;
  world.Output(u"event OnInitialize() { ::Trace(missing); }");
  CRMessageBox::SetCurrent(previous);
  ASSERT_EQ(box.GetRecords().size(), 1u);
  EXPECT_EQ(Utf16ToUtf8(box.GetRecords()[0].caption), "Runtime Error");
  EXPECT_EQ(Utf16ToUtf8(box.GetRecords()[0].text), "Unable to Resolve Identifier missing");
  // The message box keeps its fixed text; the trace line adds where the run stopped, once.
  EXPECT_EQ(
      trace.CountContaining(
          "Runtime Error : Unable to Resolve Identifier missing (at Form1.Button1.OnInitialize, line 1)"),
      1u);
}

TEST(ScriptEngine, DisabledExecutionRunsNothingUntilEnabledAgain) {
  ScriptWorld world;
  world.engine.EnableExecution(false);
  EXPECT_TRUE(
      world.Load(u"var a = Init(); function Init() { ::Trace(\"init\"); return 1; }\n"
                 u"event OnInitialize() { ::Trace(a); }"));
  EXPECT_FALSE(world.Run(u"OnInitialize"));
  EXPECT_FALSE(static_cast<CNPObject*>(world.button)->FireEvent(u"OnInitialize"));
  EXPECT_TRUE(world.output.empty());
  world.engine.EnableExecution(true);
  EXPECT_TRUE(world.Run(u"OnInitialize"));
  EXPECT_EQ(world.output, (std::vector<std::string>{"init", "1"}));
}

TEST(ScriptEngine, EventsArriveThroughTheObjectModelAndReferenceArgumentsComeBack) {
  ScriptWorld world;
  world.Load(
      u"event OnShowToolTip(&text) { text = text & \" tip\"; }\n"
      u"event OnMouseUp(button) { ::Trace(button); }\n"
      u"function Twice(x) { return x * 2; }");
  CNValue text = Text(u"a");
  EXPECT_TRUE(static_cast<CNPObject*>(world.button)->FireEvent(u"OnShowToolTip", &text, 1));
  EXPECT_EQ(Utf16ToUtf8(text.GetText(0)), "a tip");
  static_cast<CNPObject*>(world.button)->ButtonUp(MOUSE_RIGHT, {});  // released without a press: ignored
  CNValue button = Number(3);
  EXPECT_TRUE(static_cast<CNPObject*>(world.button)->FireEvent(u"OnMouseUp", &button, 1));
  CNValue result;
  EXPECT_TRUE(world.Run(u"Twice", {Number(21)}, &result));
  EXPECT_EQ(result.GetNumber(0), 42);
  EXPECT_EQ(world.output, (std::vector<std::string>{"3"}));
}

TEST(ScriptEngine, AValuePassedThroughParametersLocalsAndReturnKeepsItsQualityAndTimeStamp) {
  ScriptWorld world;
  world.Load(
      u"function Pass(v) { var w = v; return w; }\n"
      u"function Copy(&v) { var w = v; return w; }");
  // From the second run on, the slots and the result already hold numbers.
  CNValue result;
  struct Case {
    double number;
    uint8_t quality;
    FileTime stamp;
  };
  for (const Case& c : {Case{1, VQ_GOOD, 100}, Case{2, VQ_BAD, 0}, Case{3, VQ_GOOD, 7}}) {
    CNValue arg = Number(c.number);
    arg.SetQuality(c.quality);
    arg.SetTimeStamp(c.stamp);
    for (std::u16string_view function : {u"Pass", u"Copy"}) {
      ASSERT_TRUE(world.Run(function, {arg}, &result));
      EXPECT_TRUE(result.IsEqual(kCompareContents | kCompareQuality | kCompareTimeStamp, arg)) << c.number;
    }
  }
}

TEST(ScriptEngine, FunctionsAreFoundByFullName) {
  ScriptWorld world;
  world.Load(u"function Ping() { ::Trace(\"pong\"); }");
  EXPECT_EQ(Utf16ToUtf8(world.engine.FindScope(world.button)->GetPath()), "Form1.Button1");
  EXPECT_TRUE(world.engine.HasScopeFunction(u"Form1.Button1.Ping"));
  EXPECT_FALSE(world.engine.HasScopeFunction(u"Form1.Ping"));
  EXPECT_TRUE(world.engine.RunScopeFunction(u"Form1.Button1.Ping", nullptr, 0, nullptr));
  EXPECT_TRUE(
      world.engine.RunScopeFunction(*world.engine.FindScope(world.button), u"Ping", nullptr, 0, nullptr));
  EXPECT_FALSE(world.engine.RunScopeFunction(u"Form1.lblCalendar1.Ping", nullptr, 0, nullptr));
  EXPECT_EQ(world.output, (std::vector<std::string>{"pong", "pong"}));
}

TEST(ScriptEngine, ReleaseDropsTheScriptAndRemoveAlsoTheObjectsItMade) {
  ScriptWorld world;
  world.Load(u"var made; event OnInitialize() { made = new Label(); } function Made() { return made; }");
  world.Run(u"OnInitialize");
  CNValue made;
  world.Run(u"Made", {}, &made);
  const uint32_t handle = made.GetHandle(0);
  ASSERT_NE(CNObjectHandles::Find(handle), nullptr);
  world.engine.Release(world.button);
  EXPECT_FALSE(world.engine.HasFunction(world.button, u"Made"));
  EXPECT_NE(CNObjectHandles::Find(handle), nullptr);
  world.engine.Remove(world.button);
  EXPECT_EQ(CNObjectHandles::Find(handle), nullptr);
}

TEST(ScriptEngine, AScriptReplacedWhileItRunsFinishesSafely) {
  ScriptWorld world;
  static ScriptWorld* s_world = nullptr;
  s_world = &world;
  static constexpr std::array kReload = {
      MethodEntry{u"Reload", "Gives the button a new script", [](CMethodCall& call) {
                    s_world->LoadScript(*s_world->button, u"event OnInitialize() { ::Trace(\"new\"); }");
                    return call.Count() == 0;
                  }}};
  static const CKVMethodTable s_reload{kReload};
  world.engine.GetBuiltIns().AddGlobalTable(s_reload);
  world.Load(
      u"var kept = \"old\"; event OnInitialize() { var local = 1; ::Reload(); kept = kept & \"!\"; "
      u"::Trace(kept, local); }");
  world.Run(u"OnInitialize");
  world.Run(u"OnInitialize");
  EXPECT_EQ(world.output, (std::vector<std::string>{"old!", "1", "new"}));
}

namespace {

class LineRecorder : public CSCObject::CKVDebuggerCallback {
 public:
  void OnStatement(const CSCObject&, const CSCStatement& statement) override {
    lines.push_back(statement.GetLine());
  }
  std::vector<uint32_t> lines;
};

}  // namespace

TEST(ScriptEngine, AnAttachedDebuggerIsToldOfEveryStatementWithItsLine) {
  ScriptWorld world;
  LineRecorder debugger;
  world.engine.SetDebugger(&debugger);
  world.Load(u"event OnInitialize() {\n  var a = 1;\n  if (a == 1)\n    a = 2;\n}");
  world.Run(u"OnInitialize");
  EXPECT_EQ(debugger.lines, (std::vector<uint32_t>{2, 3, 4, 5}));
  world.engine.SetDebugger(nullptr);
  world.Run(u"OnInitialize");
  EXPECT_EQ(debugger.lines.size(), 4u);
}
