// The meters as drawn: bands by exact pixels, sectors, clipping to the figure, golden images.

#include <gtest/gtest.h>

#include "controls/meters.h"
#include "golden_image.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kMeter = 0xFF0000;
constexpr uint32_t kFill = 0x0000FF;

// A 20x200 rectangle meter at the origin: blue shape, red band, no border.
CRPtr<CNPRectMeter> TallMeter(std::u16string_view value) {
  return MakeShape<CNPRectMeter>({{u"Width", u"20"},
                                  {u"Height", u"200"},
                                  {u"Value", value},
                                  {u"FillColor", u"#0000FF"},
                                  {u"MeterFillColor", u"#FF0000"},
                                  {u"Border", u"F"}});
}

// The rows of column x painted in the meter colour, as [first, last]; {-1, -1} for none. Fails
// when the red rows are not one run.
std::pair<int, int> MeterRows(const CRSurface& surface, int x) {
  int first = -1, last = -1;
  for (int y = 0; y < surface.GetHeight(); ++y) {
    if (!PixelIs(surface, x, y, kMeter)) continue;
    if (first < 0) first = y;
    EXPECT_TRUE(last < 0 || last == y - 1) << "second band at row " << y;
    last = y;
  }
  return {first, last};
}

}  // namespace

TEST(RectMeterDrawing, CenterModeFillsFromTheMiddleEitherWayWithTheCenterLine) {
  auto meter = TallMeter(u"25");
  SetTexts(*meter, {{u"Center", u"T"}, {u"CenterValue", u"50"}});
  EXPECT_EQ(MeterRows(*Render(*meter, 20, 200), 5), std::make_pair(100, 149));
  SetTexts(*meter, {{u"Value", u"75"}, {u"CenterLine", u"T"}, {u"CenterLineColor", u"#00FF00"}});
  const auto surface = Render(*meter, 20, 200);
  EXPECT_EQ(MeterRows(*surface, 5), std::make_pair(50, 99));
  for (int x : {0, 10, 19}) EXPECT_TRUE(PixelIs(*surface, x, 100, 0x00FF00));  // at p0, over the shape
  EXPECT_TRUE(PixelIs(*surface, 10, 101, kFill));
}

TEST(RectMeterDrawing, HatchedBandKeepsTheShapeFillBetweenItsLines) {
  auto meter = TallMeter(u"100");
  SetTexts(*meter, {{u"MeterFillStyle", u"HORIZONTAL"}});
  const auto surface = Render(*meter, 20, 200);
  EXPECT_TRUE(PixelIs(*surface, 3, 8, kMeter));  // hatch lines on every eighth row
  EXPECT_TRUE(PixelIs(*surface, 3, 9, kFill));   // transparent background: the fill shows
}

TEST(PieMeterDrawing, WholeTurnsAreFullEllipsesAndTheBorderIsAtLeastOnePixel) {
  auto meter = MakeShape<CNPPieMeter>({{u"Width", u"40"},
                                       {u"Height", u"40"},
                                       {u"Value", u"100"},
                                       {u"FillColor", u"#0000FF"},
                                       {u"MeterFillColor", u"#FF0000"},
                                       {u"BorderColor", u"#00FF00"},
                                       {u"BorderWidth", u"1"}});
  // At half scale the border would be half a pixel wide: it stays one.
  const auto surface = Render(*meter, 20, 20, 0.5, 0.5);
  EXPECT_TRUE(PixelIs(*surface, 10, 10, kMeter));
  EXPECT_TRUE(PixelIs(*surface, 10, 0, 0x00FF00));
  EXPECT_TRUE(PixelIs(*surface, 10, 1, kMeter));
  SetTexts(*meter, {{u"Value", u"0"}});
  EXPECT_TRUE(PixelIs(*Render(*meter, 20, 20, 0.5, 0.5), 10, 10, kFill));
}

TEST(MeterDrawing, EllipseAndPolygonBandsStayInsideTheirFigures) {
  auto ellipse = MakeShape<CNPEllipseMeter>({{u"Width", u"40"},
                                             {u"Height", u"40"},
                                             {u"Value", u"50"},
                                             {u"Fill", u"F"},
                                             {u"MeterFillColor", u"#FF0000"},
                                             {u"Border", u"F"}});
  auto surface = Render(*ellipse, 40, 40);
  EXPECT_TRUE(PixelIs(*surface, 20, 30, kMeter));
  EXPECT_TRUE(IsTransparent(*surface, 1, 38));   // in the band's rows, outside the ellipse
  EXPECT_TRUE(IsTransparent(*surface, 20, 10));  // inside the ellipse, above the band

  // A triangle pointing up, 40 wide and 40 high: the lower half of it.
  auto polygon = MakeShape<CNPPolygonMeter>({{u"Points", u"0,40,20,0,40,40"},
                                             {u"Value", u"50"},
                                             {u"Fill", u"F"},
                                             {u"MeterFillColor", u"#FF0000"},
                                             {u"Border", u"F"}});
  surface = Render(*polygon, 41, 41);
  EXPECT_TRUE(PixelIs(*surface, 20, 30, kMeter));
  EXPECT_TRUE(IsTransparent(*surface, 2, 22));   // band rows, outside the triangle
  EXPECT_TRUE(IsTransparent(*surface, 20, 15));  // above the band
}

TEST(MeterDrawing, GoldenImages) {
  auto meter = [](int left, std::u16string_view direction) {
    return CRPtr<CNPObject>(MakeShapeAt<CNPRectMeter>({left, 4, 24, 40}, {{u"Value", u"30"},
                                                                          {u"FillColor", u"#C0C0C0"},
                                                                          {u"MeterFillColor", u"#2060C0"},
                                                                          {u"MeterFillDirection", direction},
                                                                          {u"BorderColor", u"#000000"}}));
  };
  auto directions = WhiteForm(128, 48,
                              {meter(4, u"BOTTOM_TO_TOP"), meter(36, u"TOP_TO_BOTTOM"),
                               meter(68, u"LEFT_TO_RIGHT"), meter(100, u"RIGHT_TO_LEFT")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*directions, 128, 48), "meter_rect_directions"));

  auto shapes =
      WhiteForm(144, 48,
                {MakeShapeAt<CNPEllipseMeter>({4, 4, 40, 40}, {{u"Value", u"60"},
                                                               {u"FillColor", u"#C0C0C0"},
                                                               {u"MeterFillColor", u"#C02020"},
                                                               {u"MeterFillStyle", u"DIAGONAL CROSS"},
                                                               {u"BorderColor", u"#000000"}}),
                 MakeShapeAt<CNPPieMeter>({52, 4, 40, 40}, {{u"StartAngle", u"225"},
                                                            {u"EndAngle", u"135"},
                                                            {u"Value", u"70"},
                                                            {u"FillColor", u"#C0C0C0"},
                                                            {u"MeterFillColor", u"#20A020"},
                                                            {u"BorderColor", u"#000000"}}),
                 MakeShape<CNPPolygonMeter>({{u"Points", u"100,44,120,4,140,44"},
                                             {u"Value", u"40"},
                                             {u"MeterFillDirection", u"LEFT_TO_RIGHT"},
                                             {u"FillColor", u"#C0C0C0"},
                                             {u"MeterFillColor", u"#2060C0"},
                                             {u"BorderColor", u"#000000"}})});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*shapes, 144, 48), "meter_shapes"));
}
