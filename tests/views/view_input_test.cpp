// The operator's input through a view: which object takes it, mouse and focus transitions,
// holding the mouse, keys, Tab, typed text, and the conversion from view pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/collection.h"
#include "editing/edit_box.h"
#include "editing/in_place_edit_keys.h"
#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/view_browser.h"
#include "views/view_hit_test.h"

namespace {

// Every input event an object hears, traced as "Name event [argument]".
constexpr std::u16string_view kRecordingScript =
    u"event OnMouseIn() { ::Trace(Name & \" in\"); }\n"
    u"event OnMouseOut() { ::Trace(Name & \" out\"); }\n"
    u"event OnMouseMove() { ::Trace(Name & \" move\"); }\n"
    u"event OnMouseDown(button) { ::Trace(Name & \" down \" & ::CStr(button)); }\n"
    u"event OnMouseUp(button) { ::Trace(Name & \" up \" & ::CStr(button)); }\n"
    u"event OnMouseDblClick(button) { ::Trace(Name & \" dbl \" & ::CStr(button)); }\n"
    u"event OnMouseWheel(delta) { ::Trace(Name & \" wheel \" & ::CStr(delta)); }\n"
    u"event OnFocusIn() { ::Trace(Name & \" focus in\"); }\n"
    u"event OnFocusOut() { ::Trace(Name & \" focus out\"); }\n"
    u"event OnKeyDown(keycode, flag) { ::Trace(Name & \" key down \" & ::CStr(keycode) & \" \" & "
    u"::CStr(flag)); }\n"
    u"event OnKeyUp(keycode, flag) { ::Trace(Name & \" key up \" & ::CStr(keycode)); }\n";

// Form F, 200 x 100, shown at scale 1 in a view of its size:
//   Back    (0,0) 100x100
//   G       (50,10) 100x60, a group holding
//     Inner1  (60,20) 20x20
//     Inner2  (70,30) 20x20, over Inner1
//     Outside (160,70) 20x20, beyond the group's rectangle
//   Top     (90,40) 20x20, over the group
class ViewInput : public testing::Test {
 protected:
  void SetUp() override {
    host.EnableScripts();
    form = &host.AddForm(u"F", 200, 100);
    back = &host.AddObject(*form, u"Back", 0, 0, 100, 100);
    group = &host.AddObject<CNPCollection>(*form, u"G", 50, 10, 100, 60);
    inner1 = &host.AddObject(*group, u"Inner1", 60, 20, 20, 20);
    inner2 = &host.AddObject(*group, u"Inner2", 70, 30, 20, 20);
    outside = &host.AddObject(*group, u"Outside", 160, 70, 20, 20);
    top = &host.AddObject(*form, u"Top", 90, 40, 20, 20);
    for (CNObject* object : std::initializer_list<CNObject*>{form, group, back, inner1, inner2, outside, top})
      host.SetScript(*object, kRecordingScript);
    view.SetViewSize({200, 100});
    ASSERT_NE(view.OpenForm(u"F", {}, kStretchNone, CNValue()), nullptr);
    host.trace.clear();
  }
  // The trace since the last call.
  Lines Take() { return std::exchange(host.trace, {}); }
  std::string Drive(const std::string& steps) { return ::Drive(view, host, steps); }
  // The objects that take the input at points written "x,y x,y" ("-" for none).
  std::string TargetsAt(const std::string& points) {
    std::string names;
    for (CNPoint at : Points(points)) {
      CNPObject* target = FindInputTarget(*form, at);
      names += (names.empty() ? "" : " ") + (target ? U8(target->GetName()) : "-");
    }
    return names;
  }

  FakeViewHost host;
  CNPViewBrowser view{host, u"MainView"};
  CNPForm* form = nullptr;
  CNPCollection* group = nullptr;
  CNPLabel* back = nullptr;
  CNPLabel* inner1 = nullptr;
  CNPLabel* inner2 = nullptr;
  CNPLabel* outside = nullptr;
  CNPLabel* top = nullptr;
};

TEST_F(ViewInput, TheTopmostObjectTakesTheInputAndChildrenComeBeforeTheirGroup) {
  // The later child is on top; the group where none of its children is; a later object over the
  // group; a child beyond its group's rectangle; the form where no object is.
  EXPECT_EQ(TargetsAt("5,5 65,25 75,35 55,65 95,45 165,75 190,5 -5,500"),
            "Back Inner1 Inner2 G Top Outside F F");
  top->SetProperty(u"Visible", Text(u"F"));
  EXPECT_EQ(TargetsAt("95,45"), "G");
  // An object that takes no input hands it to the group holding it, not to what lies below.
  inner2->SetProperty(u"EnabledInput", Text(u"F"));
  EXPECT_EQ(TargetsAt("75,35"), "G");
  inner2->SetProperty(u"EnabledInput", Text(u"T"));
  group->SetProperty(u"Enabled", Text(u"F"));
  EXPECT_EQ(TargetsAt("75,35 165,75"), "F F");
  SetProperties(*group, "Enabled=T Visible=F");
  EXPECT_EQ(TargetsAt("75,35"), "Back");  // a hidden group hides its children from the mouse too
  form->SetProperty(u"Enabled", Text(u"F"));
  EXPECT_EQ(TargetsAt("5,5"), "-");
}

TEST_F(ViewInput, MouseInAndOutFollowTheObjectUnderTheMouse) {
  EXPECT_EQ(Drive("m5,5"), "Back in; Back move");
  EXPECT_EQ(Drive("m6,6"), "Back move");
  EXPECT_EQ(Drive("m65,25"), "Back out; Inner1 in; Inner1 move");
  EXPECT_EQ(view.GetMouseObject(), inner1);
  EXPECT_TRUE(inner1->HasState(kStateMouseIn));
  view.MouseLeave();
  EXPECT_EQ(Take(), (Lines{"Inner1 out"}));
  EXPECT_FALSE(inner1->HasState(kStateMouseIn));
  view.MouseWheel(-120, {95, 45});
  EXPECT_EQ(Take(), (Lines{"Top in", "Top wheel -120"}));
}

TEST_F(ViewInput, APressHoldsTheMouseUntilTheRelease) {
  Drive("m65,25");
  EXPECT_EQ(Drive("D65,25"), "Inner1 focus in; Inner1 down 3");
  EXPECT_TRUE(inner1->HasState(kStateRightButton));
  // Over another object while held: only the pressed one hears the mouse.
  EXPECT_EQ(Drive("m95,45"), "Inner1 out; Inner1 move");
  EXPECT_FALSE(inner1->HasState(kStateRightButton));  // leaving cancelled the press
  EXPECT_EQ(Drive("m66,26"), "Inner1 in; Inner1 move");
  // The cancelled press gives no "OnMouseUp"; the mouse is over Top now.
  EXPECT_EQ(Drive("U95,45"), "Inner1 out; Top in");
  EXPECT_EQ(Drive("d95,45 u95,45"), "Inner1 focus out; Top focus in; Top down 1; Top up 1");
  EXPECT_EQ(Drive("x95,45 u95,45"), "Top dbl 1; Top up 1");
}

TEST_F(ViewInput, AnObjectHoldingTheMouseKeepsItWithoutAPress) {
  Drive("m65,25");
  inner1->SetHold(true);
  EXPECT_EQ(Drive("m5,5"), "Inner1 move");
  view.MouseWheel(120, {5, 5});
  EXPECT_EQ(Take(), (Lines{"Inner1 wheel 120"}));
  inner1->SetHold(false);
  EXPECT_EQ(Drive("m5,6"), "Inner1 out; Back in; Back move");
}

TEST_F(ViewInput, ObjectsThatStopTakingInputHearNothingMore) {
  Drive("d65,25");
  inner1->SetProperty(u"Enabled", Text(u"F"));
  view.Key(kKeyA, true, 0);
  // The release lets the mouse go to the group, which now takes it there.
  EXPECT_EQ(Drive("m66,26 u66,26"), "Inner1 out; G in");
  EXPECT_EQ(Drive("d75,35"), "G out; Inner2 in; Inner1 focus out; Inner2 focus in; Inner2 down 1");
}

TEST_F(ViewInput, APressMovesTheFocusOnlyToObjectsThatCanHaveIt) {
  Drive("d65,25 u65,25");
  EXPECT_EQ(view.GetFocusObject(), inner1);
  top->SetProperty(u"Focusable", Text(u"F"));
  Drive("d95,45");
  EXPECT_EQ(view.GetFocusObject(), inner1);
  Drive("u95,45");
  // The form's own background.
  EXPECT_EQ(Drive("d190,5"), "Top out; F in; Inner1 focus out; F focus in; F down 1");
}

TEST_F(ViewInput, KeysGoToTheFocusAndTabWalksTheTabOrder) {
  view.Key(kKeyA, true, kKeyFlagShift);
  EXPECT_EQ(Take(), (Lines{"F key down 65 1"}));  // no focus: the form
  for (CNPLabel* label : {inner1, top, back}) label->SetProperty(u"TabStop", Text(u"T"));
  view.Key(kKeyTab, true, 0);
  view.Key(kKeyTab, false, 0);
  EXPECT_EQ(Take(), (Lines{"Back focus in"}));  // child order: Back, then Inner1 in G, then Top
  view.Key(kKeyTab, true, 0);
  EXPECT_EQ(Take(), (Lines{"Back focus out", "Inner1 focus in"}));
  view.Key(kKeyTab, true, kKeyFlagShift);
  EXPECT_EQ(Take(), (Lines{"Inner1 focus out", "Back focus in"}));
  view.Key(kKeyA, true, 0);
  view.Key(kKeyA, false, 0);
  EXPECT_EQ(Take(), (Lines{"Back key down 65 0", "Back key up 65"}));

  // Without a tab order Tab is an ordinary key.
  form->SetProperty(u"TabMode", Text(u"NONE"));
  view.RefreshTabOrder();
  view.Key(kKeyTab, true, 0);
  EXPECT_EQ(Take(), (Lines{"Back key down 9 0"}));
}

TEST_F(ViewInput, TypedTextGoesToTheEditBoxWithTheFocus) {
  auto& box = host.AddObject<CNPEditBox>(*form, u"Box", 120, 80, 60, 20);
  box.Initialize();
  CRRectF area;
  view.TextInput(u"ignored");  // nothing has the focus
  EXPECT_FALSE(view.GetTextInputArea(area));
  Drive("d130,85 u130,85");
  ASSERT_EQ(view.GetFocusObject(), &box);
  // The input method places its candidates by the box (its pixels and one more around).
  ASSERT_TRUE(view.GetTextInputArea(area));
  EXPECT_EQ((std::vector<double>{area.x, area.y, area.width, area.height}),
            (std::vector<double>{119, 79, 62, 22}));
  ASSERT_NE(box.GetEditor(), nullptr);
  view.TextEditing(u"\u304B", 1);
  EXPECT_EQ(box.GetComposition(), u"\u304B");
  EXPECT_EQ(box.GetEditor()->GetText(), u"");  // not typed until committed
  view.TextInput(u"12\u304B");
  EXPECT_EQ(box.GetComposition(), u"");
  view.Key(kKeyBack, true, 0);
  view.Key(kKeyReturn, true, 0);
  EXPECT_EQ(box.GetText(), u"12");
  EXPECT_EQ(box.GetEditor(), nullptr);

  // Tab belongs to the open editor: it commits, and the view does not move the focus itself.
  box.SetProperty(u"TabStop", Text(u"T"));
  top->SetProperty(u"TabStop", Text(u"T"));
  view.RefreshTabOrder();
  view.TextInput(u"3");
  view.Key(kKeyTab, true, 0);
  EXPECT_EQ(box.GetText(), u"123");
  EXPECT_EQ(view.GetFocusObject(), &box);
  view.Key(kKeyTab, true, 0);  // the editor is closed now: Tab moves on
  EXPECT_EQ(view.GetFocusObject(), top);
  EXPECT_FALSE(view.GetTextInputArea(area));  // a label takes no text
}

TEST_F(ViewInput, ViewPixelsTurnIntoFormCoordinatesThroughStretchZoomAndScroll) {
  CNPoint at;
  EXPECT_FALSE(view.GetMousePosition(at));  // the mouse never came
  // KEEPRATE in 400 x 300: scale 2, the form 400 x 200 centred 50 pixels down.
  view.SetViewSize({400, 300});
  view.SetStretch(kStretchKeepRate);
  view.MouseMove({130, 90});
  ASSERT_TRUE(view.GetMousePosition(at));
  EXPECT_EQ(at, (CNPoint{65, 20}));
  EXPECT_EQ(view.GetMouseObject(), inner1);
  view.MouseMove({129, 89});  // the last pixel row and column of (64, 19)
  ASSERT_TRUE(view.GetMousePosition(at));
  EXPECT_EQ(at, (CNPoint{64, 19}));
  // NONE at zoom 2 in 100 x 100, scrolled by (50, 20).
  view.SetViewSize({100, 100});
  view.SetStretch(kStretchNone);
  view.SetZoom(2);
  view.SetScrollPos({50, 20});
  view.MouseMove({10, 10});
  ASSERT_TRUE(view.GetMousePosition(at));
  EXPECT_EQ(at, (CNPoint{30, 15}));
  EXPECT_EQ(view.GetMouseObject(), back);
  // The position follows the layout without the mouse moving.
  view.SetScrollPos({0, 0});
  ASSERT_TRUE(view.GetMousePosition(at));
  EXPECT_EQ(at, (CNPoint{5, 5}));
}

}  // namespace
