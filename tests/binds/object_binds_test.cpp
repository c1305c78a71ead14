// Binds wired into screen objects: properties following memory tags on the refresh tick, output
// binds writing when the operator acts, watch and mask options, and failures reported per
// property.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binds/bind_expression_evaluator.h"
#include "binds/object_binder.h"
#include "controls/buttons.h"
#include "objects/custom_property_declarations.h"
#include "script/exec_test_util.h"
#include "support/millisecond_clock.h"

namespace {

class RecordingSink : public CNPObjectBinder::ErrorSink {
 public:
  void OnBindError(CNObject& object, std::u16string_view property,
                   const CTagParserCompilerError& error) override {
    lines.push_back(Utf16ToUtf8(object.GetName()) + "." + Utf16ToUtf8(property) + ": " +
                    Utf16ToUtf8(error.GetMessage()));
  }
  std::vector<std::string> lines;
};

// The script world with running memory and alias tags, and a binder over them.
struct BoundWorld : TagScriptWorld {
  BoundWorld() {
    RegisterObjectClass<CNPToggleButton>(world.registry, u"ToggleButton", {});
    toggle = world.registry.Create(u"ToggleButton");
    toggle->SetName(u"Toggle1");
    world.form->AddChild(toggle);
  }
  CNPObject& Button() { return static_cast<CNPObject&>(*world.button); }
  // Binds the tree, then starts every object the way an opening form does.
  uint32_t Open() {
    const uint32_t bound = binder.BindTree(*world.root);
    for (CNObject* object : {world.button, toggle}) static_cast<CNPObject*>(object)->Initialize();
    return bound;
  }
  // One refresh tick: the tag changes, then the binds that are due.
  uint32_t Tick() {
    tags.Dispatch();
    return RefreshTreeBinds(*world.root, false);
  }
  void Set(std::u16string_view tag, const CNValue& value) {
    CNPTag* handle = tags.GetTag(tag, 0, nullptr);
    ASSERT_NE(handle, nullptr);
    tags.SetValue(handle, value);
    tags.ReleaseTag(handle, nullptr);
  }
  std::string Get(std::u16string_view tag) {
    CNPTag* handle = tags.GetTag(tag, 0, nullptr);
    const CRPtr<CNValue> value = tags.GetValue(handle, 0, nullptr);
    tags.ReleaseTag(handle, nullptr);
    return value ? Utf16ToUtf8(DisplayText(*value)) : "";
  }

  RecordingSink sink;
  CNPObjectBinder binder{CNBindEnvironment{&tags, nullptr, 5}, &sink};
  CNObject* toggle = nullptr;
};

}  // namespace

TEST(ObjectBinds, PropertiesFollowTheirTagsAndOwnPropertiesOnTheRefreshTick) {
  BoundWorld w;
  CNPObject& label = w.Button();
  for (const char16_t* place : {u"Top", u"Width"}) label.SetProperty(place, Number(0));
  label.SetBindSection(u"Left", u"$D0");
  label.SetBindSection(u"Text", u"\"v=\" & ::CStr($D0) & \"/\" & CStr($Top$)");
  label.SetBindSection(u"Visible", u"{$D0 > 10}{F},{default}{T}");
  label.SetBindSection(u"Width", u"Math.Abs($D1) + $Width$");  // reads itself: due once per change
  ASSERT_EQ(w.Open(), 4u);
  w.Set(u"$D0", Number(7));
  w.Set(u"$D1", Number(-3));
  EXPECT_EQ(w.Tick(), 4u);
  EXPECT_EQ(w.world.Property(label, u"Left"), "7");
  EXPECT_EQ(w.world.Property(label, u"Text"), "v=7/0");
  EXPECT_EQ(w.world.Property(label, u"Visible"), "T");
  EXPECT_EQ(w.world.Property(label, u"Width"), "3");
  EXPECT_EQ(w.Tick(), 0u);  // nothing changed
  label.SetProperty(u"Top", Number(2));
  w.Set(u"$D0", Number(11));
  EXPECT_EQ(w.Tick(), 3u);
  EXPECT_EQ(w.world.Property(label, u"Text"), "v=11/2");
  EXPECT_EQ(w.world.Property(label, u"Visible"), "F");
  EXPECT_TRUE(w.sink.lines.empty());
}

TEST(ObjectBinds, ComputedMemoryTagsAreFollowedAsTheyMove) {
  struct FakeClock : CNMillisecondClock {
    uint32_t Now() const override { return now; }
    uint32_t now = 1000;
  } clock;
  const CNMillisecondClock* previous = CNMillisecondClock::SetCurrent(&clock);
  {
    BoundWorld w;
    w.Button().SetBindSection(u"Left", u"$SIN10000 * 100");
    w.Open();
    w.Tick();
    const std::string first = w.world.Property(*w.world.button, u"Left");
    clock.now += 2500;
    w.Tick();
    const std::string second = w.world.Property(*w.world.button, u"Left");
    EXPECT_NE(first, second);
    EXPECT_EQ(second,
              std::to_string(static_cast<int>(std::stod(w.Get(u"$SIN10000")) * 100)));  // whole pixels
  }
  CNMillisecondClock::SetCurrent(previous);
}

TEST(ObjectBinds, ScriptWritesReachInputBindsAndTagEventsOnTheNextDispatch) {
  BoundWorld w;
  w.Button().SetBindSection(u"Left", u"$D1 * 2");
  ASSERT_TRUE(
      w.world.Load(u"function Put(v) { WriteVal(\"$D1\", v); }\n"
                   u"event OnTagValueChanged(tagname, value) { ::Trace(tagname & \"=\" & CStr(value)); }"));
  w.Open();
  w.Tick();
  w.world.traces.clear();
  ASSERT_TRUE(w.world.Run(u"Put", {Number(21)}));
  EXPECT_EQ(w.world.Property(*w.world.button, u"Left"), "0");  // not before the dispatch
  EXPECT_EQ(w.Tick(), 1u);
  EXPECT_EQ(w.world.Property(*w.world.button, u"Left"), "42");
  EXPECT_EQ(w.world.traces, (std::vector<std::string>{"$D1=21"}));
}

TEST(ObjectBinds, TheSwitchWritesItsTagAndTheWatchKeepsTheOperatorsValue) {
  BoundWorld w;
  auto& toggle = static_cast<CNPObject&>(*w.toggle);
  toggle.SetBindSection(u"SwitchValue", u"INOUT:$M0;WATCH:3");
  w.Open();
  w.Tick();
  toggle.SetProperty(u"SwitchValue", Text(u"T"));  // what the switch does when pressed
  EXPECT_EQ(w.world.Property(toggle, u"SwitchValue"), "T");
  EXPECT_EQ(w.Get(u"$M0"), "T");
  w.Set(u"$M0", CNValue(Number(0)));  // somebody else switches it off at once
  for (int tick = 0; tick < 3; ++tick) {
    w.Tick();
    EXPECT_EQ(w.world.Property(toggle, u"SwitchValue"), "T") << tick;
  }
  w.Tick();
  EXPECT_EQ(w.world.Property(toggle, u"SwitchValue"), "F");
  EXPECT_EQ(w.Get(u"$M0"), "F");  // the value from the tag was not written back
}

TEST(ObjectBinds, MaskAndOnlyFirstInGiveThePropertyToTheOperator) {
  BoundWorld w;
  CNPObject& label = w.Button();
  label.SetProperty(u"MaskOutputBindTillInput", Text(u"T"));
  label.SetBindSection(u"Left", u"IN:$D3 OUT:$D4;ONLYFIRSTIN");
  label.SetBindSection(u"Top", u"IN:$D5 OUT:{default}{$D6 = $Top$ * 10}");
  w.Open();
  label.SetProperty(u"Top", Number(1));  // masked: the input has not spoken yet
  EXPECT_EQ(w.Get(u"$D6"), "0");
  w.Set(u"$D3", Number(5));
  w.Tick();
  EXPECT_EQ(w.world.Property(label, u"Left"), "5");
  EXPECT_EQ(w.world.Property(label, u"Top"), "0");
  EXPECT_EQ(w.Get(u"$D4"), "0");  // a value from the tag is not written back
  w.Set(u"$D3", Number(6));
  w.Tick();
  EXPECT_EQ(w.world.Property(label, u"Left"), "5");  // only the first
  label.SetProperty(u"Left", Number(9));
  label.SetProperty(u"Top", Number(4));
  EXPECT_EQ(w.Get(u"$D4"), "9");
  EXPECT_EQ(w.Get(u"$D6"), "40");
}

TEST(ObjectBinds, BindsThatDoNotCompileOrResolveAreReportedAndLeftOut) {
  BoundWorld w;
  CNPObject& label = w.Button();
  label.SetBindSection(u"Left", u"5 = 3");
  label.SetBindSection(u"Top", u"$Nowhere$ + 1");
  label.SetBindSection(u"Width", u"$D2");
  label.SetBind(label.GetBind() + u"[NoSuchProperty]$D2");
  EXPECT_EQ(w.Open(), 1u);
  EXPECT_EQ(w.sink.lines, (std::vector<std::string>{
                              "Button1.Top: Unable to Resolve Identifier $Nowhere$",
                              "Button1.Left: Assigment operation on a constant 5",
                          }));
  w.Set(u"$D2", Number(8));
  w.Tick();
  EXPECT_EQ(w.world.Property(label, u"Width"), "8");
  label.Terminate();  // gives the tags back
  w.Set(u"$D2", Number(9));
  EXPECT_EQ(w.Tick(), 0u);
}

TEST(ObjectBinds, ExpressionsThatScriptsAddAreBindExpressionsOverTheSameNames) {
  BoundWorld w;
  CNPBindExpressionEvaluator evaluator(CNBindEnvironment{&w.tags, nullptr, 5});
  CNExpressionEvaluator* previous = CNExpressionEvaluator::SetCurrent(&evaluator);
  ASSERT_TRUE(
      w.world.Load(u"function Run() {\n"
                   u"  Left = 4; WriteVal(\"$D7\", 10);\n"
                   u"  AddExpression(1, \"$D7 * 2 + $Left$\");\n"
                   u"  AddExpression(2, \"$Nowhere$ +\");\n"
                   u"  ::Trace(GetExpressionValue(1), GetExpressionValue(2), GetExpressionValue(3));\n"
                   u"  WriteVal(\"$D7\", 1); ::Trace(GetExpressionValue(1));\n"
                   u"}"));
  w.world.Run(u"Run");
  EXPECT_EQ(w.world.output, (std::vector<std::string>{"24", "#NOTHING#", "#NOTHING#", "6"}));
  CNExpressionEvaluator::SetCurrent(previous);
}

TEST(ObjectBinds, ObjectMethodsAttachTagsAndReachTheBindsOfTheirProperties) {
  BoundWorld w;
  CNPObject& label = w.Button();
  DeclareCustomProperties(label, u"[Property]\r\n_Source=[tag_inout]\r\n_Probe=[tag_in]");
  label.SetProperty(u"_Source", Text(u"$D9"));
  label.SetProperty(u"_Probe", Text(u"$D9"));
  label.SetProperty(u"MaskOutputBindTillInput", Text(u"T"));
  label.SetBindSection(u"Left", u"IN:$D10 OUT:$D11");
  ASSERT_TRUE(w.world.Load(
      u"event OnTagValueChanged(tagname, value) { ::Trace(tagname & \"=\" & CStr(value)); }\n"
      u"function Clear() { ClearAllTag(); }\n"
      u"function Attach() { ::Trace(AddTag(\"$D1\", c(\"$D2\", \"$D3\")), AddTag(\"$Left$\"), "
      u"DelTag(\"$D2\", \"$D4\")); }\n"
      u"function Props() {\n"
      u"  ::Trace(SetTagProperty(\"_Source\", 5), SetTagProperty(\"_Probe\", 6), GetTagProperty(\"_Probe\"), "
      u"GetTagProperty(\"Left\"));\n"
      u"  ::Trace(WriteProperty(\"Left\", 7), GetVal(\"$D11\"));\n"
      u"  WriteVal(\"$D10\", 8); ::Trace(ReadProperty(\"Left\"));\n"
      u"  ::Trace(SetBindScript(\"Top\", \"$D10 + 1\"), Top);\n"
      u"}"));
  w.Open();
  w.world.Run(u"Attach");
  w.Set(u"$D1", Number(1));
  w.Set(u"$D2", Number(2));
  w.Set(u"$D3", Number(3));
  w.Tick();
  w.world.Run(u"Clear");
  w.Set(u"$D1", Number(4));
  w.Tick();
  w.world.Run(u"Props");
  w.Tick();
  // The tags of the binds reach the handler too.
  EXPECT_EQ(w.world.output,
            (std::vector<std::string>{"T", "F", "F", "$D1=1", "$D3=3", "T", "F", "5", "#NOTHING#", "T", "7",
                                      "8", "T", "#NOTHING#", "$D10=8", "$D11=7"}));
  EXPECT_EQ(w.world.Property(label, u"Top"), "9");
}
