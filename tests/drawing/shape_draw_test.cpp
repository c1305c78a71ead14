// The plain shapes as drawn: fill, border, alpha, colours by state and theme, rotation, lines;
// the polygons and polylines are in the golden images.

#include <gtest/gtest.h>

#include "screen/visual_themes.h"
#include "shape_test_util.h"
#include "shapes/shapes.h"

namespace {

// A 20x10 rectangle at (10, 10), blue, with a one-pixel red border.
CRPtr<CNPRect> BlueRect() {
  return MakeShapeAt<CNPRect>({10, 10, 20, 10}, u"FillColor=#0000FF; BorderColor=#FF0000");
}

// Restores the current theme when a test changed it.
class ThemeRestorer {
 public:
  ThemeRestorer() : m_theme(CNVisualThemes::Global().GetCurrentTheme()) {}
  ~ThemeRestorer() { CNVisualThemes::Global().SetCurrentTheme(m_theme); }

 private:
  std::u16string m_theme;
};

}  // namespace

TEST(ShapeDrawing, FillCoversTheRectangleAndTheBorderLiesInsideIt) {
  auto rect = BlueRect();
  SetTexts(*rect, u"BorderWidth=2");
  const auto surface = Render(*rect, 40, 30);
  EXPECT_TRUE(
      PixelsAre(*surface, {{9, 15, kClear}, {10, 15, 0xFF0000}, {11, 15, 0xFF0000}, {12, 15, 0x0000FF}}));
  EXPECT_TRUE(PixelsAre(*surface, {{29, 19, 0xFF0000}, {30, 19, kClear}, {29, 20, kClear}}));
  // Twice the size, a border twice as wide.
  EXPECT_TRUE(PixelsAre(*Render(*rect, 80, 60, 2.0, 2.0), {{23, 30, 0xFF0000}, {24, 30, 0x0000FF}}));
}

TEST(ShapeDrawing, AlphaHalfGivesAlphaByte128ToFillBorderAndText) {
  auto rect = BlueRect();
  SetTexts(*rect, u"Alpha=0.5; BorderWidth=3");
  const auto surface = Render(*rect, 40, 30);
  EXPECT_TRUE(PixelIs(*surface, 20, 15, 0x0000FF, 128));
  // The border over the fill: both at 128 make 192.
  EXPECT_EQ(surface->GetPixel(10, 15).alpha, 192);
}

TEST(ShapeDrawing, ColoursFollowTheMouseStateWhenThoseColoursAreSet) {
  auto rect = BlueRect();
  const auto fillAt = [&rect](int32_t state) {
    rect->SetStateWord(state);
    return Render(*rect, 40, 30);
  };
  // Hover and push colours unset: always the fill colour.
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn), 20, 15, 0x0000FF));
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn | kStateLeftButton), 20, 15, 0x0000FF));
  SetTexts(*rect, u"FillColorHover=#00FF00");
  EXPECT_TRUE(PixelIs(*fillAt(0), 20, 15, 0x0000FF));
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn), 20, 15, 0x00FF00));
  EXPECT_TRUE(PixelIs(*fillAt(kStateLeftButton), 20, 15, 0x00FF00));  // pushed without a push colour
  SetTexts(*rect, u"FillColorPush=#FFFF00");
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn | kStateLeftButton), 20, 15, 0xFFFF00));
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn), 20, 15, 0x00FF00));
  // Lines choose among their line colours the same way.
  auto line = MakeShape<CNPLine>(u"X1=0; Y1=5; X2=19; Y2=5; LineColor=#0000FF; LineColorPush=#FF0000");
  line->SetStateWord(kStateLeftButton);
  EXPECT_TRUE(PixelIs(*Render(*line, 20, 10), 10, 5, 0xFF0000));
}

TEST(ShapeDrawing, EmptyColoursAndSwitchedOffPartsPaintNothing) {
  auto rect = BlueRect();
  SetTexts(*rect, u"FillColor=");
  EXPECT_TRUE(PixelsAre(*Render(*rect, 40, 30), {{20, 15, kClear}, {10, 15, 0xFF0000}}));
  SetTexts(*rect, u"FillColor=#0000FF; BorderColor=");
  EXPECT_TRUE(PixelIs(*Render(*rect, 40, 30), 10, 15, 0x0000FF));
  SetTexts(*rect, u"BorderColor=#FF0000; Border=F; Fill=F");
  EXPECT_TRUE(PixelsAre(*Render(*rect, 40, 30), {{10, 15, kClear}, {20, 15, kClear}}));
  SetTexts(*rect, u"Visible=F; Fill=T");
  EXPECT_TRUE(IsTransparent(*Render(*rect, 40, 30), 20, 15));
  auto polygon =
      MakeShape<CNPPolygon>(u"Points=0,0,30,0,30,30; FillColor=#0000FF; BorderColor=#FF0000; Border=F");
  EXPECT_TRUE(PixelIs(*Render(*polygon, 31, 31), 15, 0, 0x0000FF));
}

TEST(ShapeDrawing, ThemeColourFollowsTheCurrentTheme) {
  ThemeRestorer restore;
  auto rect = BlueRect();
  SetTexts(*rect, u"FillColor=@FillColor");
  ASSERT_TRUE(CNVisualThemes::Global().SetCurrentTheme(u"GRAY_3D"));
  EXPECT_TRUE(PixelIs(*Render(*rect, 40, 30), 20, 15, 0xFFFFFF));
  ASSERT_TRUE(CNVisualThemes::Global().SetCurrentTheme(u"GRAY3_3D"));
  EXPECT_TRUE(PixelIs(*Render(*rect, 40, 30), 20, 15, 0x3C3C3C));
}

TEST(ShapeDrawing, AngleTurnsTheFigureClockwiseAboutTheRotationCentre) {
  // A 40x4 bar at (0, 18) turned 90 degrees about its middle (20, 20) stands upright.
  auto bar = MakeShapeAt<CNPRect>({0, 18, 40, 4}, u"FillColor=#0000FF; Border=F");
  EXPECT_TRUE(PixelIs(*Render(*bar, 40, 40), 3, 20, 0x0000FF));
  SetTexts(*bar, u"Angle=90");
  EXPECT_TRUE(PixelsAre(*Render(*bar, 40, 40), {{3, 20, kClear}, {20, 3, 0x0000FF}, {20, 36, 0x0000FF}}));
  // About a centre given in form coordinates: the bar's left end, turned down.
  SetTexts(*bar, u"RotateX=0; RotateY=20");
  EXPECT_TRUE(PixelsAre(*Render(*bar, 40, 60), {{0, 36, 0x0000FF}, {20, 20, kClear}}));
  // 45 degrees clockwise: the right end goes down.
  SetTexts(*bar, u"Angle=45; RotateX=20; RotateY=20");
  EXPECT_TRUE(PixelsAre(*Render(*bar, 40, 40), {{32, 32, 0x0000FF}, {32, 8, kClear}}));
}

// One and two pixels wide they are in the golden images.
TEST(ShapeDrawing, ThreePixelLinesCoverTheRowsOnBothSidesAndALineWithoutPointsRunsCornerToCorner) {
  auto line = MakeShape<CNPLine>(u"X1=2; Y1=5; X2=9; Y2=5; LineColor=#000000; LineWidth=3");
  EXPECT_TRUE(PixelsAre(*Render(*line, 12, 10), {{5, 4, 0x000000}, {5, 6, 0x000000}, {5, 3, kClear}}));
  auto diagonal = MakeShapeAt<CNPLine>({0, 0, 9, 9}, u"LineColor=#000000");
  EXPECT_TRUE(PixelsAre(*Render(*diagonal, 10, 10), {{4, 4, 0x000000}, {8, 1, kClear}}));
}

TEST(ShapeDrawing, BadGeometryDrawsNothingAndDoesNotFail) {
  Render(*MakeShape<CNPPie>(
             u"Width=20; Height=20; StartAngle=2147483647; EndAngle=-2147483648; FillColor=#0000FF"),
         20, 20);
  Render(*MakeShape<CNPRect>(
             u"Width=20; Height=20; Angle=1e308; BorderRound=2000000000; BorderWidth=2000000000; Text=x; "
             u"TextFont=,,,,,; TextLineSpace=-2000000000"),
         20, 20);
  Render(*MakeShape<CNPPolygon>(u"Points=[PATH]1,2,3"), 20, 20);
  auto empty = MakeShape<CNPRect>(u"Width=0; Height=-5; FillColor=#0000FF");
  EXPECT_TRUE(IsTransparent(*Render(*empty, 10, 10), 0, 0));
}
