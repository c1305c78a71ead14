// Check boxes and radio buttons as drawn: the box at its side, the marks, background and frame.

#include <gtest/gtest.h>

#include "controls/buttons.h"
#include "draw/pixels.h"
#include "golden_image.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kEdge = 0x000000;
constexpr uint32_t kInside = 0xFFFFFF;  // the theme's "@FillColor"

// A 60x20 box with a 12-pixel box, black edges and a red mark, no text.
CRPtr<CNPCheckBox> Box(std::u16string_view more = {}) {
  auto box =
      MakeShape<CNPCheckBox>(u"Width=60; Height=20; MarkSize=12; BorderColor=#000000; MarkColor=#FF0000");
  SetTexts(*box, more);
  return box;
}

// Pixels inside [x0,x1) x [y0,y1) whose red leads: the mark's, smoothed or not.
int MarkPixels(const CRSurface& surface, int x0, int y0, int x1, int y1) {
  return CountPixels(surface, x0, y0, x1, y1, [](CRPixel p) { return p.alpha && p.red > p.green + 40; });
}

TEST(CheckBoxDrawing, BoxStandsVerticallyCentredOnTheTextAlignSide) {
  auto box = Box();
  // Rows 4 to 15.
  EXPECT_TRUE(PixelsAre(*Render(*box, 60, 20),
                        {{0, 4, kEdge}, {11, 15, kEdge}, {5, 9, kInside}, {0, 3, kClear}, {12, 9, kClear}}));
  SetTexts(*box, u"TextAlign=RIGHT");
  EXPECT_TRUE(PixelsAre(*Render(*box, 60, 20), {{48, 4, kEdge}, {59, 15, kEdge}, {47, 9, kClear}}));
  // At twice the size the box is 24 pixels, its edge two pixels wide.
  EXPECT_TRUE(PixelsAre(*Render(*box, 120, 40, 2.0, 2.0), {{96, 8, kEdge}, {97, 9, kEdge}}));
}

TEST(CheckBoxDrawing, MarkShowsOnlyWhileOnInItsStyle) {
  auto box = Box();
  EXPECT_EQ(MarkPixels(*Render(*box, 60, 20), 0, 0, 60, 20), 0);
  SetTexts(*box, u"SwitchValue=T");
  auto surface = Render(*box, 60, 20);
  EXPECT_GT(MarkPixels(*surface, 1, 5, 11, 15), 10);
  EXPECT_EQ(MarkPixels(*surface, 12, 0, 60, 20), 0);
  // The tick leaves the box's top-left quarter empty; the cross runs through it.
  EXPECT_EQ(MarkPixels(*surface, 2, 6, 4, 8), 0);
  SetTexts(*box, u"MarkStyle=CROSS");
  EXPECT_GT(MarkPixels(*Render(*box, 60, 20), 2, 6, 5, 9), 0);
  SetTexts(*box, u"MarkColor=");
  EXPECT_EQ(MarkPixels(*Render(*box, 60, 20), 0, 0, 60, 20), 0);
}

TEST(CheckBoxDrawing, FillAndBorderPaintTheWholeObject) {
  auto box =
      Box(u"Fill=T; FillColor=#0000FF; Border=T; BorderStyle=3D_SUNK2; Border3DLight=#FFFFFF; "
          u"Border3DShadow=#808080");
  // The box keeps inside the two rings.
  EXPECT_TRUE(
      PixelsAre(*Render(*box, 60, 20),
                {{0, 0, 0x808080}, {1, 1, 0x808080}, {59, 19, 0xFFFFFF}, {40, 10, 0x0000FF}, {2, 4, kEdge}}));
  SetTexts(*box, u"BorderStyle=FLAT; BorderWidth=3");
  EXPECT_TRUE(PixelIs(*Render(*box, 60, 20), 2, 2, kEdge));
}

TEST(CheckBoxDrawing, TinyObjectsKeepTheBoxInside) {
  auto box = Box(u"Width=6; Height=4; MarkSize=100; SwitchValue=T; Text=cut");
  const auto surface = Render(*box, 20, 20);
  EXPECT_EQ(CountPainted(*surface, 0, 0, 6, 4, true), 0);
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
