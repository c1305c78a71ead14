#include <gtest/gtest.h>

#include "exec_test_util.h"

TEST(ScriptLimits, TheStatementBudgetStopsAnEndlessLoopAndTheNextEventStillRuns) {
  ScriptWorld world;
  CScriptLimits limits;
  limits.statementLimit = 10000;
  world.engine.SetLimits(limits);
  world.Load(u"var rounds = 0;\n"
             u"function Spin() { while (T) rounds++; }\n"
             u"event OnInitialize() { Spin(); }\n"
             u"event OnHeartBeat() { ::Trace(rounds > 1000); }");
  EXPECT_FALSE(world.Run(u"OnInitialize"));
  EXPECT_TRUE(world.Run(u"OnHeartBeat"));
  EXPECT_EQ(world.output, (std::vector<std::string>{"Runtime Error : Function execution stops for Spin", "T"}));
}

TEST(ScriptLimits, TheTimeLimitStopsALoopThatCallsNothing) {
  ScriptWorld world;
  CScriptLimits limits;
  limits.timeLimitMs = 20;
  world.engine.SetLimits(limits);
  world.Load(u"event OnInitialize() { for (;;) { } }");
  EXPECT_FALSE(world.Run(u"OnInitialize"));
  EXPECT_EQ(world.errors, (std::vector<std::string>{"Runtime Error : Function execution stops for OnInitialize"}));
}

TEST(ScriptLimits, ValuesBeyondTheSizeLimitsAreRefused) {
  ScriptWorld world;
  CScriptLimits limits;
  limits.maxElements = 1000;
  limits.maxTextLength = 1000;
  world.engine.SetLimits(limits);
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"var a = new Array[1001];", "Unable to create array Array"},
      {u"var a = new Array[100, 100];", "Unable to create array Array"},
      {u"var a = new Array[600]; a = c(a, a);", "Unable to create array c"},
      {u"var a = new Array[10, 10]; var b = a[0:40, 0:40];", "Unable to create array []"},
      {u"var a = new Array[1000]; var b = a[0:1000];", "Invalid Index value for colon operator 1000"},
      {u"var s = \"0123456789\"; while (T) s = s + s;", "Function execution stops for OnInitialize"},
      {u"var s = c(\"0123456789\", 1); while (T) s = s & s;", "Function execution stops for OnInitialize"},
      {u"var s = \"\"; while (T) s &= \"0123456789\";", "Function execution stops for OnInitialize"},
  };
  for (const auto& [body, message] : cases) {
    ScriptWorld each;
    each.engine.SetLimits(limits);
    EXPECT_EQ(each.Output(u"event OnInitialize() { " + std::u16string(body) + u" ::Trace(\"never\"); }"),
              (std::vector<std::string>{std::string("Runtime Error : ") + message}))
        << Utf16ToUtf8(body);
  }
}

TEST(ScriptLimits, RecursionThroughEventsIsStoppedOnce) {
  ScriptWorld world;
  static CNObject* s_button = nullptr;
  s_button = world.button;
  static constexpr std::array kRaise = {
      MethodEntry{u"Raise", "Fires OnFocusIn on the button", [](CMethodCall& call) {
                    static_cast<CNPObject*>(s_button)->FireEvent(u"OnFocusIn");
                    return call.Count() == 0;
                  }}};
  static const CKVMethodTable s_raise{kRaise};
  world.engine.GetBuiltIns().AddGlobalTable(s_raise);
  world.Load(u"var depth = 0; event OnFocusIn() { depth++; ::Raise(); }");
  EXPECT_TRUE(world.Run(u"OnFocusIn"));
  EXPECT_EQ(world.errors, (std::vector<std::string>{"Runtime Error : Function execution stops for OnFocusIn"}));
}
