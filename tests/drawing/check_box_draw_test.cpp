// Check boxes and radio buttons as drawn: the box at its side, the marks, background and frame.

#include <gtest/gtest.h>

#include "controls/buttons.h"
#include "draw/pixels.h"
#include "golden_image.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kEdge = 0x000000;

// A 60x20 box with a 12-pixel box, black edges and a red mark, no text.
CRPtr<CNPCheckBox> Box(std::u16string_view more = {}) {
  auto box =
      MakeShape<CNPCheckBox>(u"Width=60; Height=20; MarkSize=12; BorderColor=#000000; MarkColor=#FF0000");
  SetTexts(*box, more);
  return box;
}

// Where the box stands, the marks in both styles and the 3-D frames are in the golden images.
TEST(CheckBoxDrawing, AtTwiceTheSizeTheBoxIsTwiceAsLargeWithEdgesTwoPixelsWide) {
  EXPECT_TRUE(
      PixelsAre(*Render(*Box(u"TextAlign=RIGHT"), 120, 40, 2.0, 2.0), {{96, 8, kEdge}, {97, 9, kEdge}}));
}

TEST(CheckBoxDrawing, FlatFrameAroundTheWholeObject) {
  EXPECT_TRUE(PixelIs(*Render(*Box(u"Border=T; BorderStyle=FLAT; BorderWidth=3"), 60, 20), 2, 2, kEdge));
}

TEST(CheckBoxDrawing, NoMarkWithoutAMarkColourAndTinyObjectsKeepTheBoxInside) {
  const auto marked = [](CRPixel p) { return p.alpha && p.red > p.green + 40; };
  EXPECT_EQ(CountPixels(*Render(*Box(u"SwitchValue=T; MarkColor="), 60, 20), 0, 0, 60, 20, marked), 0);
  auto box = Box(u"Width=6; Height=4; MarkSize=100; SwitchValue=T; Text=cut");
  EXPECT_EQ(CountPainted(*Render(*box, 20, 20), 0, 0, 6, 4, true), 0);
}

TEST(CheckBoxDrawing, GoldenImages) {
  const auto check = [](int left, int top, std::u16string_view texts) {
    return MakeShapeAt<CNPCheckBox>({left, top, 72, 20}, texts);
  };
  auto checks = WhiteForm(
      152, 72,
      {check(4, 4, u"Text=Pump"), check(76, 4, u"Text=Pump; SwitchValue=T"),
       check(4, 26, u"Text=Valve; SwitchValue=T; MarkStyle=CROSS; TextAlign=RIGHT"),
       check(76, 26, u"Text=Fan; TextAlign=RIGHT"),
       check(4, 48, u"Text=Heat; SwitchValue=T; Border=T; BorderStyle=3D_SUNK2; Fill=T; FillColor=#E0E8F0"),
       check(76, 48, u"Text=Cool; Border=T; BorderStyle=3D_RAISE1")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*checks, 152, 72), "check_marks", 8, 40));

  const auto radio = [](int left, int top, std::u16string_view texts) {
    return MakeShapeAt<CNPRadioButton>({left, top, 72, 20}, texts);
  };
  auto radios = WhiteForm(152, 50,
                          {radio(4, 4, u"Text=Auto"), radio(76, 4, u"Text=Manual; SwitchValue=T"),
                           radio(4, 26, u"Text=Local; SwitchValue=T; TextAlign=RIGHT; MarkColor=#008000"),
                           radio(76, 26, u"Text=Off; Border=T; BorderStyle=3D_FRAME")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*radios, 152, 50), "radio_states", 8, 40));
}

}  // namespace
