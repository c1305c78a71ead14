// The meters as drawn: bands by exact pixels, sectors, clipping to the figure, golden images.

#include <gtest/gtest.h>

#include "golden_image.h"
#include "shape_test_util.h"
#include "shapes/meters.h"

namespace {

constexpr uint32_t kMeter = 0xFF0000;
constexpr uint32_t kFill = 0x0000FF;

// A 20x200 rectangle meter at the origin: blue shape, red band, no border.
CRPtr<CNPRectMeter> TallMeter(std::u16string_view value) {
  return MakeShape<CNPRectMeter>(
      u"Width=20; Height=200; FillColor=#0000FF; MeterFillColor=#FF0000; Border=F; Value=" +
      std::u16string(value));
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
  SetTexts(*meter, u"Center=T; CenterValue=50");
  EXPECT_EQ(MeterRows(*Render(*meter, 20, 200), 5), std::make_pair(100, 149));
  SetTexts(*meter, u"Value=75; CenterLine=T; CenterLineColor=#00FF00");
  const auto surface = Render(*meter, 20, 200);
  EXPECT_EQ(MeterRows(*surface, 5), std::make_pair(50, 99));
  for (int x : {0, 10, 19}) EXPECT_TRUE(PixelIs(*surface, x, 100, 0x00FF00));  // at p0, over the shape
  EXPECT_TRUE(PixelIs(*surface, 10, 101, kFill));
}

TEST(PieMeterDrawing, WholeTurnsAreFullEllipsesAndTheBorderIsAtLeastOnePixel) {
  auto meter = MakeShape<CNPPieMeter>(
      u"Width=40; Height=40; Value=100; FillColor=#0000FF; MeterFillColor=#FF0000; BorderColor=#00FF00; "
      u"BorderWidth=1");
  // At half scale the border would be half a pixel wide: it stays one.
  EXPECT_TRUE(
      PixelsAre(*Render(*meter, 20, 20, 0.5, 0.5), {{10, 10, kMeter}, {10, 0, 0x00FF00}, {10, 1, kMeter}}));
  SetTexts(*meter, u"Value=0");
  EXPECT_TRUE(PixelIs(*Render(*meter, 20, 20, 0.5, 0.5), 10, 10, kFill));
}

// Hatched bands over the fill and bands cut to an ellipse and a polygon are in the golden images;
// here a polygon's band alone, without the figure's fill and border.
TEST(MeterDrawing, PolygonBandWithoutFillOrBorder) {
  auto polygon = MakeShape<CNPPolygonMeter>(
      u"Points=0,40,20,0,40,40; Value=50; Fill=F; MeterFillColor=#FF0000; Border=F");
  EXPECT_TRUE(PixelsAre(*Render(*polygon, 41, 41), {{20, 30, kMeter}, {2, 22, kClear}, {20, 15, kClear}}));
}

TEST(MeterDrawing, GoldenImages) {
  auto meter = [](int left, std::u16string_view direction) {
    return CRPtr<CNPObject>(MakeShapeAt<CNPRectMeter>(
        {left, 4, 24, 40},
        u"Value=30; FillColor=#C0C0C0; MeterFillColor=#2060C0; BorderColor=#000000; MeterFillDirection=" +
            std::u16string(direction)));
  };
  auto directions = WhiteForm(128, 48,
                              {meter(4, u"BOTTOM_TO_TOP"), meter(36, u"TOP_TO_BOTTOM"),
                               meter(68, u"LEFT_TO_RIGHT"), meter(100, u"RIGHT_TO_LEFT")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*directions, 128, 48), "meter_rect_directions"));

  auto shapes = WhiteForm(
      144, 48,
      {MakeShapeAt<CNPEllipseMeter>({4, 4, 40, 40},
                                    u"Value=60; FillColor=#C0C0C0; MeterFillColor=#C02020; "
                                    u"MeterFillStyle=DIAGONAL CROSS; BorderColor=#000000"),
       MakeShapeAt<CNPPieMeter>({52, 4, 40, 40},
                                u"StartAngle=225; EndAngle=135; Value=70; FillColor=#C0C0C0; "
                                u"MeterFillColor=#20A020; BorderColor=#000000"),
       MakeShape<CNPPolygonMeter>(u"Points=100,44,120,4,140,44; Value=40; MeterFillDirection=LEFT_TO_RIGHT; "
                                  u"FillColor=#C0C0C0; MeterFillColor=#2060C0; BorderColor=#000000")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*shapes, 144, 48), "meter_shapes"));
}
