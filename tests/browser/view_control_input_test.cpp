// The operator at a view control: its title bar, buttons and resizing edge, and input that goes
// through to the form inside. Synthetic input in the pixels of the main view, where the outer
// form lies unscaled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/edit_box.h"
#include "controls/in_place_edit_keys.h"
#include "view_control_test_util.h"

namespace {

using Lines = std::vector<std::string>;

enum class Act { kMove, kDown, kUp, kDouble };
struct Step {
  Act act;
  int32_t x, y;
};

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
    auto& label = host.AddObject(detail, u"Lamp");
    Place(label, 10, 10, 30, 20);
    host.SetScript(label,
                   u"event OnMouseDown(button) { ::Trace(\"lamp down \" & ::CStr(button)); }\n"
                   u"event OnMouseUp(button) { ::Trace(\"lamp up \" & ::CStr(button)); }\n");
    control = &host.AddControl(*outer, u"Window", u"Pane", u"Detail", {50, 40, 250, 190});
    for (auto [name, value] : {std::pair{u"TitleBar", u"TOP"},
                               {u"ShowCloseButton", u"T"},
                               {u"ShowMaxButton", u"T"},
                               {u"AllowMove", u"T"},
                               {u"AllowResize", u"T"},
                               {u"MinWidth", u"100"},
                               {u"MinHeight", u"80"},
                               {u"Stretch", u"NONE"}})
      control->SetProperty(name, Text(value));
    host.SetScript(*control, kTraceClicks);
  }

  Lines Drive(std::initializer_list<Step> steps) {
    CNPViewBrowser& main = *host.views.FindView({});
    host.trace.clear();
    for (const Step& step : steps) {
      const CNPoint at{step.x, step.y};
      switch (step.act) {
        case Act::kMove:
          main.MouseMove(at);
          break;
        case Act::kDown:
          main.MouseButton(MOUSE_LEFT, true, at);
          break;
        case Act::kUp:
          main.MouseButton(MOUSE_LEFT, false, at);
          break;
        case Act::kDouble:
          main.MouseDoubleClick(MOUSE_LEFT, at);
          break;
      }
    }
    return std::exchange(host.trace, {});
  }

  ViewControlHost host;
  CNPForm* outer = nullptr;
  CNPViewControl* control = nullptr;
};

class ViewControlInput : public testing::Test, public Scene {};

TEST(ViewControlTitleBar, ButtonsBarAndEdgeFollowTheInteractionList) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::u16string_view, std::u16string_view>> properties;
    std::initializer_list<Step> steps;
    Lines events;
    std::string rect;
  };
  const Row rows[] = {
      {"a click on the bar moves nothing and reports the click after the release",
       {},
       {{Act::kDown, 100, 50}, {Act::kUp, 100, 50}},
       {"DOWN/MOVE", "UP/MOVE", "CLICK/BAR"},
       "50,40 200x150"},
      {"dragging the bar moves the object by the mouse's way",
       {},
       {{Act::kDown, 100, 50}, {Act::kMove, 120, 60}, {Act::kMove, 130, 75}, {Act::kUp, 130, 75}},
       {"DOWN/MOVE", "UP/MOVE"},
       "80,65 200x150"},
      {"without AllowMove the bar does nothing",
       {{u"AllowMove", u"F"}},
       {{Act::kDown, 100, 50}, {Act::kMove, 130, 75}, {Act::kUp, 130, 75}},
       {},
       "50,40 200x150"},
      {"the corner resizes both ways",
       {},
       {{Act::kDown, 248, 188}, {Act::kMove, 268, 198}, {Act::kUp, 268, 198}},
       {"DOWN/RESIZE", "UP/RESIZE"},
       "50,40 220x160"},
      {"the right edge resizes the width only",
       {},
       {{Act::kDown, 247, 120}, {Act::kMove, 277, 150}, {Act::kUp, 0, 0}},
       {"DOWN/RESIZE", "UP/RESIZE"},
       "50,40 230x150"},
      {"MinWidth and MinHeight hold while resizing",
       {},
       {{Act::kDown, 248, 188}, {Act::kMove, 0, 0}, {Act::kUp, 0, 0}},
       {"DOWN/RESIZE", "UP/RESIZE"},
       "50,40 100x80"},
      {"without AllowResize the edge belongs to the inner form",
       {{u"AllowResize", u"F"}},
       {{Act::kDown, 248, 188}, {Act::kMove, 268, 198}, {Act::kUp, 268, 198}},
       {"form down"},
       "50,40 200x150"},
      {"the close button reports at the release and hides the object",
       {},
       {{Act::kDown, 235, 50}, {Act::kUp, 236, 51}},
       {"CLICK/CLOSE"},
       "50,40 200x150"},
      {"a press on a button released elsewhere does nothing",
       {},
       {{Act::kDown, 235, 50}, {Act::kMove, 150, 50}, {Act::kUp, 150, 50}},
       {},
       "50,40 200x150"},
      {"the maximise button fills the form",
       {},
       {{Act::kDown, 215, 50}, {Act::kUp, 215, 50}},
       {"CLICK/MAX"},
       "0,0 400x300"},
      {"and restores it on the next click",
       {},
       {{Act::kDown, 215, 50}, {Act::kUp, 215, 50}, {Act::kDown, 365, 10}, {Act::kUp, 365, 10}},
       {"CLICK/MAX", "CLICK/NORMAL"},
       "50,40 200x150"},
      {"a maximised object is not moved",
       {},
       {{Act::kDown, 215, 50},
        {Act::kUp, 215, 50},
        {Act::kDown, 100, 10},
        {Act::kMove, 120, 30},
        {Act::kUp, 120, 30}},
       {"CLICK/MAX"},
       "0,0 400x300"},
      {"a double click on the bar maximises with the button shown",
       {},
       {{Act::kDown, 100, 50}, {Act::kUp, 100, 50}, {Act::kDouble, 100, 50}, {Act::kUp, 100, 50}},
       {"DOWN/MOVE", "UP/MOVE", "CLICK/BAR", "DBLCLICK/MAX"},
       "0,0 400x300"},
      {"without the maximise button a double click reports the bar",
       {{u"ShowMaxButton", u"F"}},
       {{Act::kDown, 100, 50}, {Act::kUp, 100, 50}, {Act::kDouble, 100, 50}, {Act::kUp, 100, 50}},
       {"DOWN/MOVE", "UP/MOVE", "CLICK/BAR", "DBLCLICK/BAR"},
       "50,40 200x150"},
      {"the bar at the bottom",
       {{u"TitleBar", u"BOTTOM"}, {u"AllowResize", u"F"}},
       {{Act::kDown, 100, 180}, {Act::kMove, 90, 170}, {Act::kUp, 90, 170}},
       {"DOWN/MOVE", "UP/MOVE"},
       "40,30 200x150"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Scene scene;  // a fresh window for every row
    for (const auto& [name, value] : row.properties) scene.control->SetProperty(name, Text(value));
    scene.host.ShowMain(u"Outer", 400, 300);
    EXPECT_EQ(scene.Drive(row.steps), row.events);
    EXPECT_EQ(RectText(*scene.control), row.rect);
  }
}

TEST_F(ViewControlInput, TheCloseButtonHidesTheObjectUnlessTheHandlerShowsItAgain) {
  host.ShowMain(u"Outer", 400, 300);
  Drive({{Act::kDown, 235, 50}, {Act::kUp, 235, 50}});
  EXPECT_FALSE(control->IsVisible());

  control->SetProperty(u"Visible", Text(u"T"));
  host.SetScript(*control, u"event OnClickTitleBar(state, msg) { Visible = T; }");
  Drive({{Act::kDown, 235, 50}, {Act::kUp, 235, 50}});
  EXPECT_TRUE(control->IsVisible());
}

TEST_F(ViewControlInput, PressesOnTheViewReachTheInnerForm) {
  host.ShowMain(u"Outer", 400, 300);
  EXPECT_EQ(Drive({{Act::kDown, 65, 80}, {Act::kUp, 66, 81}}),
            (Lines{"form down", "lamp down 1", "lamp up 1"}));
  // Leaving the label with the button held cancels its press, as in any view.
  EXPECT_EQ(Drive({{Act::kDown, 65, 80}, {Act::kMove, 300, 250}, {Act::kUp, 300, 250}}),
            (Lines{"form down", "lamp down 1"}));
  // The inner view's mouse follows (MouseX counts from the label's corner).
  Drive({{Act::kMove, 75, 84}});
  CNPObject* lamp = static_cast<CNPObject*>(host.FindBasedForm(u"Detail", false)->GetChild(0));
  EXPECT_EQ(PropertyInt(*lamp, u"MouseX"), 15);
  EXPECT_EQ(PropertyInt(*lamp, u"MouseY"), 10);
  EXPECT_TRUE(lamp->HasState(kStateMouseIn));
  Drive({{Act::kMove, 100, 50}});  // onto the title bar: the inner form loses the mouse
  EXPECT_FALSE(lamp->HasState(kStateMouseIn));
}

TEST_F(ViewControlInput, BringingToFrontKeepsBelowHigherLevels) {
  auto& label = host.AddObject(*outer, u"Label");
  Place(label, 300, 250, 10, 10);
  CNPViewControl& top = host.AddControl(*outer, u"Top", u"TopPane", u"Missing", {300, 0, 400, 100});
  top.SetProperty(u"BringToFrontLevel", Number(5));
  control->SetProperty(u"AllowBringToFront", Text(u"T"));
  host.ShowMain(u"Outer", 400, 300);
  Drive({{Act::kDown, 65, 80}, {Act::kUp, 65, 80}});
  std::string order;
  for (int32_t i = 0; i < outer->GetChildCount(); ++i) order += U8(outer->GetChild(i)->GetName()) + " ";
  EXPECT_EQ(order, "Label Window Top ");
}

TEST_F(ViewControlInput, NestedViewControlsPassInputThroughEveryLevel) {
  // Window shows Middle (at 50,64 in the outer form), whose own view control at 20,20 shows
  // Detail: the label lies at 50+20+10, 64+20+10.
  CNPForm& middle = host.AddForm(u"Middle", 200, 126);
  CNPViewControl& inner = host.AddControl(middle, u"InnerWindow", u"Leaf", u"Detail", {20, 20, 180, 120});
  host.SetScript(inner, kTraceClicks);
  control->SetProperty(u"BasedFormName", Text(u"Middle"));
  host.ShowMain(u"Outer", 400, 300);
  EXPECT_EQ(Drive({{Act::kDown, 85, 99}, {Act::kUp, 85, 99}}),
            (Lines{"form down", "form down", "lamp down 1", "lamp up 1"}));
  // The outer window still moves by its bar, taking the inner one along.
  Drive({{Act::kDown, 100, 50}, {Act::kMove, 110, 50}, {Act::kUp, 110, 50}});
  EXPECT_EQ(Drive({{Act::kDown, 95, 99}, {Act::kUp, 95, 99}}),
            (Lines{"form down", "form down", "lamp down 1", "lamp up 1"}));
}

TEST_F(ViewControlInput, KeysAndTypedTextReachAnEditBoxInside) {
  auto& box = host.AddObject<CNPEditBox>(*host.FindBasedForm(u"Detail", false), u"Entry");
  Place(box, 50, 60, 80, 20);  // 100,124 in the outer form
  host.ShowMain(u"Outer", 400, 300);
  CNPViewBrowser& main = *host.views.FindView({});
  Drive({{Act::kDown, 105, 128}, {Act::kUp, 105, 128}});
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
