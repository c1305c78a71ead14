// The operator at a view control: its title bar, buttons and resizing edge, and input that goes
// through to the form inside. Synthetic input in the pixels of the main view, where the outer
// form lies unscaled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/edit_box.h"
#include "editing/in_place_edit_keys.h"
#include "view_control_test_util.h"

namespace {

constexpr std::u16string_view kTraceClicks =
    u"event OnClickTitleBar(state, msg) { ::Trace(state & \"/\" & msg); }\n"
    u"event OnFormLButtonDown() { ::Trace(\"form down\"); }\n";

// The window: at 50,40, 200 x 150, a 24-unit title bar on top with both buttons (each 20 wide:
// close at 228..248, maximise at 206..226), moving and resizing allowed, "MinWidth" 100 and
// "MinHeight" 80. Inside it, "Detail" shows a label at 10,10 (60,74 in the outer form).
struct Scene {
  Scene() {
    outer = &host.AddForm(u"Outer", 400, 300);
    CNPForm& detail = host.AddForm(u"Detail", 200, 126);
    host.SetScript(host.AddObject(detail, u"Lamp", 10, 10, 30, 20),
                   u"event OnMouseDown(button) { ::Trace(\"lamp down \" & ::CStr(button)); }\n"
                   u"event OnMouseUp(button) { ::Trace(\"lamp up \" & ::CStr(button)); }\n");
    control = &host.AddControl(*outer, u"Window", u"Pane", u"Detail", {50, 40, 250, 190});
    SetProperties(
        *control,
        "TitleBar=TOP ShowCloseButton=T ShowMaxButton=T AllowMove=T AllowResize=T MinWidth=100 MinHeight=80 "
        "Stretch=NONE");
    host.SetScript(*control, kTraceClicks);
  }

  // Drives the main view (see ::Drive).
  std::string Drive(const std::string& steps) { return ::Drive(*host.views.FindView({}), host, steps); }

  ViewControlHost host;
  CNPForm* outer = nullptr;
  CNPViewControl* control = nullptr;
};

class ViewControlInput : public testing::Test, public Scene {};

TEST(ViewControlTitleBar, ButtonsBarAndEdgeFollowTheInteractionList) {
  struct Row {
    const char* name;
    std::string properties, steps, events, rect;
  };
  const Row rows[] = {
      {"a click on the bar moves nothing and reports the click after the release", "", "d100,50 u100,50",
       "DOWN/MOVE; UP/MOVE; CLICK/BAR", "50,40 200x150"},
      {"without AllowMove the bar does nothing", "AllowMove=F", "d100,50 m130,75 u130,75", "",
       "50,40 200x150"},
      {"the corner resizes both ways", "", "d248,188 m268,198 u268,198", "DOWN/RESIZE; UP/RESIZE",
       "50,40 220x160"},
      {"the right edge resizes the width only", "", "d247,120 m277,150 u0,0", "DOWN/RESIZE; UP/RESIZE",
       "50,40 230x150"},
      {"MinWidth and MinHeight hold while resizing", "", "d248,188 m0,0 u0,0", "DOWN/RESIZE; UP/RESIZE",
       "50,40 100x80"},
      {"without AllowResize the edge belongs to the inner form", "AllowResize=F",
       "d248,188 m268,198 u268,198", "form down", "50,40 200x150"},
      {"the close button reports at the release and hides the object", "", "d235,50 u236,51", "CLICK/CLOSE",
       "50,40 200x150"},
      {"a press on a button released elsewhere does nothing", "", "d235,50 m150,50 u150,50", "",
       "50,40 200x150"},
      {"the maximise button fills the form", "", "d215,50 u215,50", "CLICK/MAX", "0,0 400x300"},
      {"and restores it on the next click", "", "d215,50 u215,50 d365,10 u365,10", "CLICK/MAX; CLICK/NORMAL",
       "50,40 200x150"},
      {"a maximised object is not moved", "", "d215,50 u215,50 d100,10 m120,30 u120,30", "CLICK/MAX",
       "0,0 400x300"},
      {"a double click on the bar maximises with the button shown", "", "d100,50 u100,50 x100,50 u100,50",
       "DOWN/MOVE; UP/MOVE; CLICK/BAR; DBLCLICK/MAX", "0,0 400x300"},
      {"without the maximise button a double click reports the bar", "ShowMaxButton=F",
       "d100,50 u100,50 x100,50 u100,50", "DOWN/MOVE; UP/MOVE; CLICK/BAR; DBLCLICK/BAR", "50,40 200x150"},
      {"the bar at the bottom", "TitleBar=BOTTOM AllowResize=F", "d100,180 m90,170 u90,170",
       "DOWN/MOVE; UP/MOVE", "40,30 200x150"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Scene scene;  // a fresh window for every row
    SetProperties(*scene.control, row.properties);
    scene.host.ShowMain(u"Outer", 400, 300);
    EXPECT_EQ(scene.Drive(row.steps), row.events);
    EXPECT_EQ(RectText(*scene.control), row.rect);
  }
}

TEST_F(ViewControlInput, TheCloseButtonHidesTheObjectUnlessTheHandlerShowsItAgain) {
  host.ShowMain(u"Outer", 400, 300);
  Drive("d235,50 u235,50");
  EXPECT_FALSE(control->IsVisible());
  control->SetProperty(u"Visible", Text(u"T"));
  host.SetScript(*control, u"event OnClickTitleBar(state, msg) { Visible = T; }");
  Drive("d235,50 u235,50");
  EXPECT_TRUE(control->IsVisible());
}

TEST_F(ViewControlInput, PressesOnTheViewReachTheInnerForm) {
  host.ShowMain(u"Outer", 400, 300);
  EXPECT_EQ(Drive("d65,80 u66,81"), "form down; lamp down 1; lamp up 1");
  // Leaving the label with the button held cancels its press, as in any view.
  EXPECT_EQ(Drive("d65,80 m300,250 u300,250"), "form down; lamp down 1");
  // The inner view's mouse follows (MouseX counts from the label's corner).
  Drive("m75,84");
  CNPObject* lamp = static_cast<CNPObject*>(host.FindBasedForm(u"Detail", false)->GetChild(0));
  EXPECT_EQ(PropertyInt(*lamp, u"MouseX"), 15);
  EXPECT_EQ(PropertyInt(*lamp, u"MouseY"), 10);
  EXPECT_TRUE(lamp->HasState(kStateMouseIn));
  Drive("m100,50");  // onto the title bar: the inner form loses the mouse
  EXPECT_FALSE(lamp->HasState(kStateMouseIn));
}

TEST_F(ViewControlInput, BringingToFrontKeepsBelowHigherLevels) {
  host.AddObject(*outer, u"Label", 300, 250, 10, 10);
  host.AddControl(*outer, u"Top", u"TopPane", u"Missing", {300, 0, 400, 100})
      .SetProperty(u"BringToFrontLevel", Number(5));
  control->SetProperty(u"AllowBringToFront", Text(u"T"));
  host.ShowMain(u"Outer", 400, 300);
  Drive("d65,80 u65,80");
  std::string order;
  for (int32_t i = 0; i < outer->GetChildCount(); ++i) order += U8(outer->GetChild(i)->GetName()) + " ";
  EXPECT_EQ(order, "Label Window Top ");
}

TEST_F(ViewControlInput, NestedViewControlsPassInputThroughEveryLevel) {
  // Window shows Middle (at 50,64 in the outer form), whose own view control at 20,20 shows
  // Detail: the label lies at 50+20+10, 64+20+10.
  CNPForm& middle = host.AddForm(u"Middle", 200, 126);
  host.SetScript(host.AddControl(middle, u"InnerWindow", u"Leaf", u"Detail", {20, 20, 180, 120}),
                 kTraceClicks);
  control->SetProperty(u"BasedFormName", Text(u"Middle"));
  host.ShowMain(u"Outer", 400, 300);
  EXPECT_EQ(Drive("d85,99 u85,99"), "form down; form down; lamp down 1; lamp up 1");
  // The outer window still moves by its bar, taking the inner one along.
  Drive("d100,50 m110,50 u110,50");
  EXPECT_EQ(Drive("d95,99 u95,99"), "form down; form down; lamp down 1; lamp up 1");
}

TEST_F(ViewControlInput, KeysAndTypedTextReachAnEditBoxInside) {
  // At 100,124 in the outer form.
  auto& box = host.AddObject<CNPEditBox>(*host.FindBasedForm(u"Detail", false), u"Entry", 50, 60, 80, 20);
  host.ShowMain(u"Outer", 400, 300);
  CNPViewBrowser& main = *host.views.FindView({});
  Drive("d105,128 u105,128");
  EXPECT_EQ(main.GetFocusObject(), control);
  EXPECT_EQ(control->GetView()->GetFocusObject(), &box);
  CRRectF area;
  ASSERT_TRUE(main.GetTextInputArea(area));  // the box's pixels and one more around, in the main view
  EXPECT_EQ((std::vector<double>{area.x, area.y, area.width, area.height}),
            (std::vector<double>{99, 123, 82, 22}));
  main.TextInput(u"42");
  main.Key(kKeyReturn, true, 0);
  EXPECT_EQ(box.GetText(), u"42");
}

}  // namespace
