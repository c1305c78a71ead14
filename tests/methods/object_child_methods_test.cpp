// The object methods that copy and delete parts of the tree, move the focus and show tooltips
// (the rest of the object methods are in programs/object_methods.vs).
#include <string>
#include <vector>

#include "objects/custom_property_declarations.h"
#include "root_test_util.h"
#include "script/exec_test_util.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> ChildNames(const CNObject& parent) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < parent.GetChildCount(); ++i)
    names.push_back(Utf16ToUtf8(parent.GetChild(i)->GetName()));
  return names;
}

}  // namespace

TEST(ObjectChildMethods, CopyIsDeepAndLeavesTheOriginalAlone) {
  ScriptWorld world;
  ASSERT_EQ(DeclareCustomProperties(*world.calendar, u"_Level=[number]\n_Unit=[string];List:A,B"), 2u);
  world.calendar->SetProperty(u"_Level", Number(7));
  world.calendar->SetBind(u"[Text]\r\nCStr(1)\r\n");
  const Lines output = world.Output(
      u"event OnInitialize() {\n"
      u"  var form = parent.CopyObj(\"Form2\");\n"
      u"  var cal = form.GetChildObj(\"lblCalendar1\");\n"
      u"  ::Trace(form.GetChildObjCount(), form.GetChildObj(0) != parent.GetChildObj(0), cal._Level, "
      u"cal.GetPropertyName(1000));\n"
      u"  ::Trace(GetValueTotalElement(cal.GetPropertyName()) == "
      u"GetValueTotalElement(parent.lblCalendar1.GetPropertyName()));\n"
      u"  ::Trace(cal.GetBindScript(\"Text\"), cal.GetEventScript() == "
      u"parent.lblCalendar1.GetEventScript());\n"
      u"  cal._Level = 9;\n"
      u"  ::Trace(parent.lblCalendar1._Level, cal._Level, cal.SetProperty(\"_Unit\", \"B\"));\n"
      u"}");
  EXPECT_EQ(output, (Lines{"2", "T", "7", "#NOTHING#", "T", "CStr(1)", "T", "7", "9", "T"}));
  EXPECT_EQ(ChildNames(*world.form), (Lines{"Button1", "lblCalendar1"}));
}

TEST(ObjectChildMethods, DeleteStopsTheSubtreeAndSurvivesItsOwnScript) {
  ScriptWorld world;
  auto* calendar = dynamic_cast<CNPObject*>(world.calendar);
  ASSERT_TRUE(world.LoadScript(*calendar, u"event OnTerminate() { ::Trace(\"bye \" & Name); }"));
  calendar->Initialize();
  ASSERT_TRUE(calendar->SetTimer(1, 100));
  const CRPtr<CNPObject> watch = CRPtr<CNPObject>::Retain(calendar);
  // The deleting script belongs to the object it deletes: it goes on to its end.
  const Lines output = world.Output(
      u"event OnInitialize() {\n"
      u"  ::Trace(parent.DelObj(\"lblCalendar1\"), parent.GetChildObjCount());\n"
      u"  ::Trace(parent.DelObj(GetThisObj()), \"after\");\n"
      u"}");
  EXPECT_EQ(output, (Lines{"bye lblCalendar1", "T", "1", "T", "after"}));
  EXPECT_FALSE(watch->IsRunning());
  EXPECT_EQ(watch->GetTimers().GetCount(), 0u);
  EXPECT_EQ(world.form->GetChildCount(), 0);
}

TEST(ObjectStateMethods, FocusMovesHeadlessAndToolTipNeedsARuntime) {
  ScriptWorld world;
  ASSERT_TRUE(world.LoadScript(*world.calendar, u"event OnFocusOut() { ::Trace(\"cal out\"); }"));
  const Lines output = world.Output(
      u"event OnFocusIn() { ::Trace(\"in\"); }\n"
      u"event OnFocusOut() { ::Trace(\"out\"); }\n"
      u"event OnInitialize() {\n"
      u"  parent.lblCalendar1.SetFocus();\n"
      u"  ::Trace(SetFocus(), StFocusIn, parent.lblCalendar1.StFocusIn);\n"
      u"  SetFocus();\n"
      u"  ::Trace(LostFocus(), StFocusIn, LostFocus());\n"
      u"  ::Trace(ShowToolTip(\"hint\"), ShowToolTip(\"hint\", 500));\n"
      u"  ShowToolTip();\n"
      u"}");
  EXPECT_EQ(output, (Lines{"cal out", "in", "T", "T", "F", "out", "T", "F", "T", "F", "F",
                           "Runtime Error : Function execution stops for ShowToolTip"}));
}

TEST(ObjectStateMethods, FocusAndToolTipGoToTheRuntimeWithTheObjectFirst) {
  FakeRuntime runtime;
  RootWorld world(&runtime);
  // The runtime moves the focus, not the method.
  EXPECT_EQ(world.Run(u"::Trace(SetFocus(), StFocusIn, LostFocus(), ShowToolTip(\"hint\"));"),
            (Lines{"T", "F", "T", "T"}));
  ASSERT_EQ(runtime.requests.size(), 3u);
  EXPECT_TRUE(runtime.requests[2].starts_with("ShowToolTip (#&")) << runtime.requests[2];
  EXPECT_TRUE(runtime.requests[2].ends_with(", \"hint\")")) << runtime.requests[2];
}
