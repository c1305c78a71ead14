// View controls painted with the form they lie on, compared with golden images: the title bar
// at the top and at the bottom with its buttons, the border's line styles, a translucent view,
// and a maximised window.
#include <gtest/gtest.h>

#include <memory>

#include "controls/collection.h"
#include "draw/painter.h"
#include "draw/surface.h"
#include "drawing/golden_image.h"
#include "view_control_test_util.h"

namespace {

// Title text is drawn with whatever fonts the machine has; a few of its pixels may differ.
constexpr int kTextPixels = 80;

class ViewControlDraw : public testing::Test {
 protected:
  void SetUp() override {
    outer = &host.AddForm(u"Outer", 240, 160);
    SetProperties(*outer, "FillColor=#FFFFFF");
    // The inner form: pale yellow with a red-framed group in its top-left quarter.
    CNPForm& panel = host.AddForm(u"Panel", 100, 60);
    SetProperties(panel, "FillColor=#FFF0B0");
    host.AddObject<CNPCollection>(panel, u"Frame", 5, 5, 45, 25, "InnerFrame=T InnerFrameColor=#FF0000");
  }

  CNPViewControl& AddWindow(std::u16string_view name, CNRect rect, const std::string& properties) {
    CNPViewControl& control = host.AddControl(*outer, name, name, u"Panel", rect);
    SetProperties(control, "Stretch=STRETCH_FULL " + properties);
    return control;
  }

  std::unique_ptr<CRSurface> Paint() {
    auto surface = std::make_unique<CRSurface>(240, 160);
    CRPainter painter(*surface);
    host.views.FindView({})->Paint(painter, {0, 0, 240, 160}, nullptr);
    return surface;
  }

  ViewControlHost host;
  CNPForm* outer = nullptr;
};

TEST_F(ViewControlDraw, TitleBarAtTheTopWithBothButtonsAndTheGrip) {
  AddWindow(u"Pump", {20, 20, 220, 140},
            "TitleBar=TOP TitleHeight=22 TitleBarColor=#003399 TitleColor=#FFFFFF ShowCloseButton=T "
            "ShowMaxButton=T AllowResize=T Border=T BorderColor=#000000 BorderWidth=2")
      .SetProperty(u"Title", Text(u"Pump 1"));
  host.ShowMain(u"Outer", 240, 160);
  EXPECT_TRUE(MatchesGoldenImage(*Paint(), "view_control_title_top", 8, kTextPixels));
}

TEST_F(ViewControlDraw, TitleBarAtTheBottomAlignedRightOverATranslucentView) {
  AddWindow(
      u"Trend", {20, 20, 220, 140},
      "TitleBar=BOTTOM TitleHeight=18 Title=Trend TitleAlignX=RIGHT TitleBarColor=#404040 TitleColor=#FFFF00 "
      "ShowCloseButton=T FillAlpha=0.5 Border=T BorderColor=#0000FF BorderLine=DASH");
  host.ShowMain(u"Outer", 240, 160);
  EXPECT_TRUE(MatchesGoldenImage(*Paint(), "view_control_title_bottom", 8, kTextPixels));
}

TEST_F(ViewControlDraw, BorderLineStyles) {
  int32_t left = 5;
  for (const char16_t* style : {u"SOLID", u"DASH", u"DOT", u"DASHDOT", u"DASHDOTDOT"}) {
    AddWindow(style, {left, 30, left + 40, 130},
              "Border=T BorderColor=#000000 BorderWidth=2 BorderLine=" + U8(style));
    left += 47;
  }
  host.ShowMain(u"Outer", 240, 160);
  EXPECT_TRUE(MatchesGoldenImage(*Paint(), "view_control_border_lines"));
}

TEST_F(ViewControlDraw, MaximisedFillsTheFormAndShowsTheRestoreGlyph) {
  CNPViewControl& window = AddWindow(u"Pump", {20, 20, 120, 80},
                                     "TitleBar=TOP TitleHeight=20 TitleBarColor=#006600 TitleColor=#FFFFFF "
                                     "ShowCloseButton=T ShowMaxButton=T");
  CNPViewBrowser& main = host.ShowMain(u"Outer", 240, 160);
  main.MouseButton(MOUSE_LEFT, true, {90, 30});  // the maximise button: 84..100 x 22..38
  main.MouseButton(MOUSE_LEFT, false, {90, 30});
  ASSERT_TRUE(window.IsMaximized());
  EXPECT_TRUE(MatchesGoldenImage(*Paint(), "view_control_maximised"));
}

TEST_F(ViewControlDraw, WithoutClipViewTheInnerFormShowsBeyondTheObject) {
  CNPViewControl& window = AddWindow(u"Small", {20, 20, 60, 50}, "Stretch=NONE");
  host.ShowMain(u"Outer", 240, 160);
  const auto yellowAt = [&](int x, int y) {
    const CRPixel pixel = Paint()->GetPixel(x, y);
    return pixel.red == 0xFF && pixel.green == 0xF0 && pixel.blue == 0xB0;
  };
  EXPECT_TRUE(yellowAt(55, 45));
  EXPECT_FALSE(yellowAt(110, 70));  // the panel reaches 120,80 but is cut at the object
  window.SetProperty(u"ClipView", Text(u"F"));
  EXPECT_TRUE(yellowAt(110, 70));
  EXPECT_EQ(window.GetPaintBounds(), (CNRect{20, 20, 120, 80}));
}

}  // namespace
