// The plain shapes as drawn: fill, border, alpha, colours by state and theme, rotation, lines.

#include <gtest/gtest.h>

#include "controls/shapes.h"
#include "controls/visual_themes.h"
#include "shape_test_util.h"

namespace {

// A 20x10 rectangle at (10, 10), blue, with a one-pixel red border.
CRPtr<CNPRect> BlueRect() {
  return MakeShapeAt<CNPRect>({10, 10, 20, 10}, {{u"FillColor", u"#0000FF"}, {u"BorderColor", u"#FF0000"}});
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
  SetTexts(*rect, {{u"BorderWidth", u"2"}});
  const auto surface = Render(*rect, 40, 30);
  EXPECT_TRUE(IsTransparent(*surface, 9, 15));
  EXPECT_TRUE(PixelIs(*surface, 10, 15, 0xFF0000));
  EXPECT_TRUE(PixelIs(*surface, 11, 15, 0xFF0000));
  EXPECT_TRUE(PixelIs(*surface, 12, 15, 0x0000FF));
  EXPECT_TRUE(PixelIs(*surface, 29, 19, 0xFF0000));
  EXPECT_TRUE(IsTransparent(*surface, 30, 19));
  EXPECT_TRUE(IsTransparent(*surface, 29, 20));
  // Twice the size, a border twice as wide.
  const auto scaled = Render(*rect, 80, 60, 2.0, 2.0);
  EXPECT_TRUE(PixelIs(*scaled, 23, 30, 0xFF0000));
  EXPECT_TRUE(PixelIs(*scaled, 24, 30, 0x0000FF));
}

TEST(ShapeDrawing, AlphaHalfGivesAlphaByte128ToFillBorderAndText) {
  auto rect = BlueRect();
  SetTexts(*rect, {{u"Alpha", u"0.5"}, {u"BorderWidth", u"3"}});
  const auto surface = Render(*rect, 40, 30);
  EXPECT_TRUE(PixelIs(*surface, 20, 15, 0x0000FF, 128));
  // The border over the fill: both at 128 make 192.
  EXPECT_EQ(surface->GetPixel(10, 15).alpha, 192);
  SetTexts(*rect, {{u"Alpha", u"1"}});
  EXPECT_EQ(Render(*rect, 40, 30)->GetPixel(20, 15).alpha, 255);
  SetTexts(*rect, {{u"Alpha", u"0"}});
  EXPECT_TRUE(IsTransparent(*Render(*rect, 40, 30), 20, 15));
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
  SetTexts(*rect, {{u"FillColorHover", u"#00FF00"}});
  EXPECT_TRUE(PixelIs(*fillAt(0), 20, 15, 0x0000FF));
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn), 20, 15, 0x00FF00));
  EXPECT_TRUE(PixelIs(*fillAt(kStateLeftButton), 20, 15, 0x00FF00));  // pushed without a push colour
  SetTexts(*rect, {{u"FillColorPush", u"#FFFF00"}});
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn | kStateLeftButton), 20, 15, 0xFFFF00));
  EXPECT_TRUE(PixelIs(*fillAt(kStateMouseIn), 20, 15, 0x00FF00));
  // Lines choose among their line colours the same way.
  auto line = MakeShape<CNPLine>({{u"X1", u"0"},
                                  {u"Y1", u"5"},
                                  {u"X2", u"19"},
                                  {u"Y2", u"5"},
                                  {u"LineColor", u"#0000FF"},
                                  {u"LineColorPush", u"#FF0000"}});
  line->SetStateWord(kStateLeftButton);
  EXPECT_TRUE(PixelIs(*Render(*line, 20, 10), 10, 5, 0xFF0000));
}

TEST(ShapeDrawing, EmptyColoursAndSwitchedOffPartsPaintNothing) {
  auto rect = BlueRect();
  SetTexts(*rect, {{u"FillColor", u""}});
  auto surface = Render(*rect, 40, 30);
  EXPECT_TRUE(IsTransparent(*surface, 20, 15));
  EXPECT_TRUE(PixelIs(*surface, 10, 15, 0xFF0000));
  SetTexts(*rect, {{u"FillColor", u"#0000FF"}, {u"BorderColor", u""}});
  EXPECT_TRUE(PixelIs(*Render(*rect, 40, 30), 10, 15, 0x0000FF));
  SetTexts(*rect, {{u"BorderColor", u"#FF0000"}, {u"Border", u"F"}, {u"Fill", u"F"}});
  surface = Render(*rect, 40, 30);
  EXPECT_TRUE(IsTransparent(*surface, 10, 15));
  EXPECT_TRUE(IsTransparent(*surface, 20, 15));
  SetTexts(*rect, {{u"Visible", u"F"}, {u"Fill", u"T"}});
  EXPECT_TRUE(IsTransparent(*Render(*rect, 40, 30), 20, 15));
}

TEST(ShapeDrawing, ThemeColourFollowsTheCurrentTheme) {
  ThemeRestorer restore;
  auto rect = BlueRect();
  SetTexts(*rect, {{u"FillColor", u"@FillColor"}});
  ASSERT_TRUE(CNVisualThemes::Global().SetCurrentTheme(u"GRAY_3D"));
  EXPECT_TRUE(PixelIs(*Render(*rect, 40, 30), 20, 15, 0xFFFFFF));
  ASSERT_TRUE(CNVisualThemes::Global().SetCurrentTheme(u"GRAY3_3D"));
  EXPECT_TRUE(PixelIs(*Render(*rect, 40, 30), 20, 15, 0x3C3C3C));
}

TEST(ShapeDrawing, AngleTurnsTheFigureClockwiseAboutTheRotationCentre) {
  // A 40x4 bar at (0, 18) turned 90 degrees about its middle (20, 20) stands upright.
  auto bar = MakeShapeAt<CNPRect>({0, 18, 40, 4}, {{u"FillColor", u"#0000FF"}, {u"Border", u"F"}});
  EXPECT_TRUE(PixelIs(*Render(*bar, 40, 40), 3, 20, 0x0000FF));
  SetTexts(*bar, {{u"Angle", u"90"}});
  auto surface = Render(*bar, 40, 40);
  EXPECT_TRUE(IsTransparent(*surface, 3, 20));
  EXPECT_TRUE(PixelIs(*surface, 20, 3, 0x0000FF));
  EXPECT_TRUE(PixelIs(*surface, 20, 36, 0x0000FF));
  // About a centre given in form coordinates: the bar's left end, turned down.
  SetTexts(*bar, {{u"RotateX", u"0"}, {u"RotateY", u"20"}});
  surface = Render(*bar, 40, 60);
  EXPECT_TRUE(PixelIs(*surface, 0, 36, 0x0000FF));
  EXPECT_TRUE(IsTransparent(*surface, 20, 20));
  // 45 degrees clockwise: the right end goes down.
  SetTexts(*bar, {{u"Angle", u"45"}, {u"RotateX", u"20"}, {u"RotateY", u"20"}});
  surface = Render(*bar, 40, 40);
  EXPECT_TRUE(PixelIs(*surface, 32, 32, 0x0000FF));
  EXPECT_TRUE(IsTransparent(*surface, 32, 8));
}

TEST(ShapeDrawing, LinesPaintThePixelsOfTheirPoints) {
  auto line = MakeShape<CNPLine>(
      {{u"X1", u"2"}, {u"Y1", u"5"}, {u"X2", u"9"}, {u"Y2", u"5"}, {u"LineColor", u"#000000"}});
  auto surface = Render(*line, 12, 10);
  for (int x = 2; x <= 8; ++x) EXPECT_TRUE(PixelIs(*surface, x, 5, 0x000000)) << x;
  EXPECT_TRUE(IsTransparent(*surface, 5, 4));
  EXPECT_TRUE(IsTransparent(*surface, 5, 6));
  EXPECT_TRUE(IsTransparent(*surface, 1, 5));
  // Three wide: the rows on both sides too. A line without end points runs corner to corner.
  SetTexts(*line, {{u"LineWidth", u"3"}});
  surface = Render(*line, 12, 10);
  EXPECT_TRUE(PixelIs(*surface, 5, 4, 0x000000));
  EXPECT_TRUE(PixelIs(*surface, 5, 6, 0x000000));
  auto diagonal = MakeShapeAt<CNPLine>({0, 0, 9, 9}, {{u"LineColor", u"#000000"}});
  surface = Render(*diagonal, 10, 10);
  EXPECT_TRUE(PixelIs(*surface, 4, 4, 0x000000));
  EXPECT_TRUE(IsTransparent(*surface, 8, 1));
}

TEST(ShapeDrawing, PolygonFillsEvenOddAndPolylineOnlyStrokes) {
  // A square with a square hole (one figure crossing itself is filled even-odd).
  auto polygon = MakeShape<CNPPolygon>({{u"Points", u"0,0,30,0,30,30,0,30,0,0,10,10,20,10,20,20,10,20,10,10"},
                                        {u"FillColor", u"#0000FF"},
                                        {u"Border", u"F"}});
  auto surface = Render(*polygon, 31, 31);
  EXPECT_TRUE(PixelIs(*surface, 5, 5, 0x0000FF));
  EXPECT_TRUE(IsTransparent(*surface, 15, 15));
  auto polyline = MakeShape<CNPPolyline>({{u"Points", u"0,0,30,0,30,30"}, {u"LineColor", u"#FF0000"}});
  surface = Render(*polyline, 31, 31);
  EXPECT_TRUE(PixelIs(*surface, 15, 0, 0xFF0000));
  EXPECT_TRUE(PixelIs(*surface, 30, 15, 0xFF0000));
  EXPECT_TRUE(IsTransparent(*surface, 15, 15));  // not closed, not filled
  EXPECT_TRUE(IsTransparent(*surface, 15, 30));
}

TEST(ShapeDrawing, BadGeometryDrawsNothingAndDoesNotFail) {
  auto pie = MakeShape<CNPPie>({{u"Width", u"20"},
                                {u"Height", u"20"},
                                {u"StartAngle", u"2147483647"},
                                {u"EndAngle", u"-2147483648"},
                                {u"FillColor", u"#0000FF"}});
  Render(*pie, 20, 20);
  auto rect = MakeShape<CNPRect>({{u"Width", u"20"},
                                  {u"Height", u"20"},
                                  {u"Angle", u"1e308"},
                                  {u"BorderRound", u"2000000000"},
                                  {u"BorderWidth", u"2000000000"},
                                  {u"Text", u"x"},
                                  {u"TextFont", u",,,,,"},
                                  {u"TextLineSpace", u"-2000000000"}});
  Render(*rect, 20, 20);
  auto polygon = MakeShape<CNPPolygon>({{u"Points", u"[PATH]1,2,3"}});
  Render(*polygon, 20, 20);
  auto empty = MakeShape<CNPRect>({{u"Width", u"0"}, {u"Height", u"-5"}, {u"FillColor", u"#0000FF"}});
  EXPECT_TRUE(IsTransparent(*Render(*empty, 10, 10), 0, 0));
}
