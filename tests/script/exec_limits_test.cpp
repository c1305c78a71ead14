// Recursion through events; the other limits of a run are in programs/limits.vs.
#include <gtest/gtest.h>

#include "exec_test_util.h"

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
