#include <cmath>

#include "pobject_test_util.h"

namespace {

using PObjectPosition = ControlTest;

TEST_F(PObjectPosition, CenterReadsAndMovesWithoutResizing) {
  struct Case {
    int32_t left, width, center;  // center = left + width / 2, the halving truncated toward zero
  };
  for (const Case& c :
       {Case{10, 4, 12}, Case{10, 5, 12}, Case{-11, 5, -9}, Case{-11, -5, -13}, Case{-3, 0, -3}}) {
    SCOPED_TRACE(testing::Message() << c.left << "," << c.width);
    Place(c.left, c.left, c.width, c.width);
    EXPECT_EQ(Number(u"CenterX"), c.center);
    EXPECT_EQ(Number(u"CenterY"), c.center);
    object->SetProperty(u"CenterX", Num(c.center + 100.7));
    EXPECT_EQ(Number(u"Left"), c.left + 100);
    object->SetProperty(u"CenterX", Num(c.center));
    object->SetProperty(u"CenterY", Num(c.center));
    EXPECT_EQ(object->GetRect(), (CNRect{c.left, c.left, c.left + c.width, c.left + c.width}));
  }
  // Truncated toward zero, and 0 outside the 32-bit range.
  Place(40, 40, 10, 10);
  object->SetProperty(u"CenterX", Num(-9.9));  // -14.9
  object->SetProperty(u"CenterY", Num(3e9));
  EXPECT_EQ(object->GetRect(), (CNRect{-14, 0, -4, 10}));
  object->SetProperty(u"CenterX", Num(std::nan("")));
  EXPECT_EQ(object->GetRect().left, 0);
  object->ClearChangedProperties();
  object->SetProperty(u"CenterY", Num(5));  // only what moved is reported
  EXPECT_EQ(object->GetChangedProperties(), (std::set<std::u16string_view>{u"CenterY"}));
}

TEST_F(PObjectPosition, MouseCountsFromTheTopLeftCornerWhenShown) {
  Place(30, 20, 50, 50);
  CNValue v;
  ASSERT_EQ(object->GetProperty(u"MouseX", v), 1);
  EXPECT_TRUE(v.IsNA(0) && v.GetCount() == 1);  // no view
  Own({});
  owner.mouse = {100, 5};
  object->GetProperty(u"MouseY", v);
  EXPECT_TRUE(v.IsNA(0));  // an owner, but not shown
  owner.shown = true;
  EXPECT_EQ(Number(u"MouseX"), 70);
  EXPECT_EQ(Number(u"MouseY"), -15);
  EXPECT_EQ(object->SetProperty(u"MouseX", Num(1)), 0);
}

TEST_F(PObjectPosition, AutoResizeFollowsEachMode) {
  struct Case {
    const char16_t *modeX, *modeY;
    int32_t width;   // the object starts at x 150..150+width, 10 from the right edge when 40 wide
    int32_t w0, w1;  // the parent's width before and after; its height goes from 100 to 2 * w1 / 3
    CNRect expected;
    bool resized;
  };
  const Case cases[] = {
      {u"LEFT", u"TOP", 40, 200, 300, {150, 20, 190, 60}, false},
      {u"RIGHT", u"TOP", 40, 200, 300, {250, 20, 290, 60}, true},
      {u"LEFTRIGHT", u"TOP", 40, 200, 300, {150, 20, 290, 60}, true},
      {u"LEFTRIGHT", u"TOP", 40, 200, 100, {150, 20, 151, 60}, true},  // shrunk past the left edge
      {u"LEFTRIGHT", u"TOP", 40, 200, 160, {150, 20, 151, 60}, true},  // far edge exactly on x
      {u"CENTER", u"TOP", 40, 200, 300, {235, 20, 275, 60}, true},     // 170 / 200 * 300 = 255
      {u"CENTER", u"TOP", 41, 200, 300, {234, 20, 275, 60}, true},     // 255 - 20.5, truncated
      {u"CENTER", u"TOP", 40, 0, 300, {150, 20, 190, 60}, true},       // no old width to keep
      {u"LEFT", u"BOTTOM", 40, 200, 75, {150, -30, 190, 10}, true},
      {u"LEFT", u"TOPBOTTOM", 40, 200, 300, {150, 20, 190, 160}, true},
      {u"LEFT", u"CENTER", 40, 200, 300, {150, 60, 190, 100}, true},  // 40 / 100 * 200 = 80
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.modeX) + " " + Utf16ToUtf8(c.modeY) + " " + std::to_string(c.w1));
    Own({u"OnResize"});
    log.clear();
    Place(150, 20, c.width, 40);
    object->SetProperty(u"AutoResizeX", Str(c.modeX));
    object->SetProperty(u"AutoResizeY", Str(c.modeY));
    object->AutoResize(c.w0, 100, c.w1, 2 * c.w1 / 3);
    EXPECT_EQ(object->GetRect(), c.expected);
    EXPECT_EQ(log, c.resized ? EventLog{"event OnResize"} : EventLog{});
  }
  log.clear();
  object->AutoResize(200, 100, 300, 100, true);  // forced with LEFT and TOP
  EXPECT_EQ(log, EventLog{"event OnResize"});
}

}  // namespace
