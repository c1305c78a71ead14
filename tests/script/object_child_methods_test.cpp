// The object methods that edit the tree, move the focus, restack objects and show tooltips,
// driven through scripts in the test world (Button1 and lblCalendar1 below Form1).
#include <string>
#include <vector>

#include "exec_test_util.h"
#include "methods/builtin_methods.h"
#include "methods/object_methods.h"
#include "objects/custom_property_declarations.h"
#include "root_test_util.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> ChildNames(const CNObject& parent) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < parent.GetChildCount(); ++i)
    names.push_back(Utf16ToUtf8(parent.GetChild(i)->GetName()));
  return names;
}

}  // namespace

TEST(ObjectChildMethods, AddCopyAttachDetachAndDeleteKeepNamesAndCountsRight) {
  ScriptWorld world;
  const Lines output = world.Output(
      u"event OnInitialize() {\n"
      u"  var made = parent.AddObj(\"Label\", \"Extra\");\n"
      u"  ::Trace(made.Name, parent.GetChildObjCount());\n"
      u"  ::Trace(parent.AddObj(\"Label\", \"Extra\"), parent.AddObj(\"NoSuchClass\", \"X\"));\n"
      u"  var first = parent.AddObj(\"Label\"); var second = parent.AddObj(\"Label\", \"\");\n"
      u"  ::Trace(first.Name, second.Name);\n"
      u"  made.Text = \"hello\";\n"
      u"  var copy = made.CopyObj(\"Copy1\");\n"
      u"  ::Trace(copy.Name, copy.Text, copy.GetParentObj(), parent.GetChildObjCount());\n"
      u"  ::Trace(parent.AttachObj(copy, 0), parent.AttachObj(copy), parent.GetChildObj(0) == copy);\n"
      u"  var twin = made.CopyObj();\n"
      u"  ::Trace(twin.Name, parent.AttachObj(twin));\n"
      u"  var out = parent.DetachObj(\"Extra\");\n"
      u"  ::Trace(out.Name, out.GetParentObj(), parent.DetachObj(\"Extra\"), parent.GetChildObjCount());\n"
      u"  ::Trace(parent.AttachObj(out, 99), parent.GetChildObj(parent.GetChildObjCount() - 1) == out);\n"
      u"  ::Trace(parent.DelObj(copy), parent.DelObj(\"Copy1\"), parent.DelObj(\"Label01\"), "
      u"parent.DelObj(99));\n"
      u"  ::Trace(made.DelObj(\"Button1\"), parent.GetChildObjCount());\n"
      u"}");
  EXPECT_EQ(output, (Lines{"Extra", "3",         "#NOTHING#", "#NOTHING#", "Label01", "Label02", "Copy1",
                           "hello", "#NOTHING#", "5",         "T",         "F",       "T",       "Extra",
                           "F",     "Extra",     "#NOTHING#", "#NOTHING#", "5",       "T",       "T",
                           "T",     "F",         "T",         "F",         "F",       "4"}));
  EXPECT_EQ(ChildNames(*world.form), (Lines{"Button1", "lblCalendar1", "Label02", "Extra"}));
  EXPECT_TRUE(world.errors.empty());
}

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

TEST(ObjectChildMethods, AttachRefusesCyclesTreeMembersAndDocumentRoots) {
  ScriptWorld world;
  CNObject* form = world.form;
  const Lines output = world.Output(
      u"event OnInitialize() {\n"
      u"  var top = parent.GetParentObj();\n"
      u"  var loose = top.DetachObj(\"Form1\");\n"
      u"  ::Trace(top.GetChildObjCount(), loose.GetParentObj());\n"
      u"  ::Trace(AttachObj(loose), loose.AttachObj(loose), parent.lblCalendar1.AttachObj(loose));\n"
      u"  ::Trace(loose.AttachObj(top), AttachObj(parent.lblCalendar1), AttachObj(42));\n"
      u"  ::Trace(top.AttachObj(loose), loose.GetParentObj() == top, top.GetChildObjCount());\n"
      u"}");
  EXPECT_EQ(output, (Lines{"1", "#NOTHING#", "F", "F", "F", "F", "F", "F", "T", "T", "2"}));
  EXPECT_EQ(form->GetParent(), world.root);
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

TEST(ObjectStateMethods, RestackingMovesWithinTheParentOnly) {
  ScriptWorld world;
  const Lines output = world.Output(
      u"event OnInitialize() {\n"
      u"  var me = GetThisObj();\n"
      u"  ::Trace(BringToFront(), parent.GetChildObj(1) == me, BringToFront(), parent.GetChildObj(1) == "
      u"me);\n"
      u"  ::Trace(BringToBack(), parent.GetChildObj(0) == me);\n"
      u"  var top = parent.GetParentObj();\n"
      u"  ::Trace(top.BringToFront());\n"
      u"  BringToBack(1);\n"
      u"}");
  EXPECT_EQ(output, (Lines{"T", "T", "T", "T", "T", "T", "F",
                           "Runtime Error : Function execution stops for BringToBack"}));
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
  runtime.answer.SetBool(true);
  struct Host : IKVMethodHost {
    void TraceValue(const CNValue&) override {}
    IKVRuntime* GetRuntime() override { return runtime; }
    IKVRuntime* runtime = nullptr;
  } host;
  host.runtime = &runtime;
  CNPForm object;
  const CKVMethodTable& table = ObjectMethods();
  const CNValue text = Text(u"hint");
  const CNValue* args[] = {&text};
  for (const std::u16string_view name : {u"SetFocus", u"LostFocus", u"ShowToolTip"}) {
    CNValue result;
    CMethodCall call{object, name == u"ShowToolTip" ? std::span(args) : std::span<const CNValue* const>(),
                     result, host};
    ASSERT_TRUE(table.GetEntry(table.Find(name)).function(call));
    EXPECT_EQ(Shown(result), "T");
  }
  ASSERT_EQ(runtime.requests.size(), 3u);
  EXPECT_EQ(runtime.requests[2].function, "ShowToolTip");
  EXPECT_EQ(runtime.requests[2].args.size(), 2u);
  EXPECT_EQ(runtime.requests[2].args[1], "\"hint\"");
  EXPECT_FALSE(object.HasState(kStateFocus)) << "the runtime moves the focus, not the method";
}
