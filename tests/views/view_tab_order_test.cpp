#include <gtest/gtest.h>

#include <string>

#include "controls/collection.h"
#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/view_browser.h"

namespace {

// Form (TabMode as the test sets it)
//   C   at (10, 50)  TabIndex 1
//   Group
//     A at (200, 10) TabIndex 3
//     B at (10, 10)  TabIndex 2
//   Off at (0, 0)    TabStop F
//   Hid at (0, 0)    not visible
class TabOrder : public testing::Test {
 protected:
  void SetUp() override {
    form = &host.AddForm(u"F");
    AddStop(*form, u"C", 10, 50, 1);
    group = &host.AddObject<CNPCollection>(*form, u"Group");
    AddStop(*group, u"A", 200, 10, 3);
    AddStop(*group, u"B", 10, 10, 2);
    AddStop(*form, u"Off", 0, 0, 0).SetProperty(u"TabStop", Text(u"F"));
    AddStop(*form, u"Hid", 0, 0, 0).SetProperty(u"Visible", Text(u"F"));
    view.OpenForm(u"F", {}, kStretchNone, CNValue());
  }
  CNPLabel& AddStop(CNObject& parent, std::u16string_view name, int32_t left, int32_t top, int32_t index) {
    return host.AddObject(parent, name, left, top, 20, 20, "TabStop=T TabIndex=" + std::to_string(index));
  }
  // The names met by moving "next" from the first stop around once.
  std::string Walk() {
    view.RefreshTabOrder();
    if (!view.MoveTabStop(u"first")) return "";
    std::string names = U8(view.GetFocusObject()->GetName());
    for (int i = 0; i < 3; ++i) {
      view.MoveTabStop(u"next");
      names += "," + U8(view.GetFocusObject()->GetName());
    }
    return names;
  }

  FakeViewHost host;
  CNPViewBrowser view{host, u"MainView"};
  CNPForm* form = nullptr;
  CNPCollection* group = nullptr;
};

TEST_F(TabOrder, EachModeOrdersTheTabStopsItsWay) {
  const struct {
    const char16_t* mode;
    const char* order;
  } cases[] = {
      {u"INDEX", "C,A,B,C"},
      {u"DOWN", "B,A,C,B"},     // top first, then left
      {u"RIGHT", "B,C,A,B"},    // left first, then top
      {u"TABINDEX", "C,B,A,C"},
      {u"NONE", ""},
  };
  for (const auto& c : cases) {
    form->SetProperty(u"TabMode", Text(c.mode));
    EXPECT_EQ(Walk(), c.order) << U8(c.mode);
  }
}

TEST_F(TabOrder, StepsBackWrapAndTheOrderIsKeptUntilRefreshed) {
  EXPECT_TRUE(view.MoveTabStop(u"previous"));  // from no focus: the last
  EXPECT_EQ(U8(view.GetFocusObject()->GetName()), "B");
  CNPObject& b = *view.GetFocusObject();
  EXPECT_TRUE(b.HasState(kStateFocus));
  view.MoveTabStop(u"back");
  EXPECT_EQ(U8(view.GetFocusObject()->GetName()), "A");
  EXPECT_FALSE(b.HasState(kStateFocus));

  // A hidden group's objects leave the order only once it is rebuilt.
  group->SetProperty(u"Visible", Text(u"F"));
  view.MoveTabStop(u"next");
  EXPECT_EQ(U8(view.GetFocusObject()->GetName()), "B");
  view.RefreshTabOrder();
  view.MoveTabStop(u"next");
  EXPECT_EQ(U8(view.GetFocusObject()->GetName()), "C");
  view.MoveTabStop(u"next");
  EXPECT_EQ(U8(view.GetFocusObject()->GetName()), "C");

  // Closing the form takes the focus away; without a form nothing moves.
  view.CloseForm();
  EXPECT_EQ(view.GetFocusObject(), nullptr);
  EXPECT_FALSE(view.MoveTabStop(u"first"));
}

}  // namespace
