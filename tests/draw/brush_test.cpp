#include "draw/brush.h"

#include <gtest/gtest.h>

#include "draw/painter.h"
#include "pixels.h"

namespace {

void FillWith(CRSurface& surface, const CRBrush& brush, const CRRectF& rect) {
  CRPainter painter(surface);
  painter.FillPath(CRPath::Rectangle(rect), brush);
}

TEST(Brush, HatchesRepeatAnEightPixelTile) {
  struct Case {
    CRFillStyle style;
    const char* firstTwoRows;  // of the tile, '#' for a line pixel
  };
  const Case cases[] = {
      {CRFillStyle::kHorizontal, "######## ........"},
      {CRFillStyle::kVertical, "#....... #......."},
      {CRFillStyle::kForwardDiagonal, "#....... .#......"},
      {CRFillStyle::kBackwardDiagonal, ".......# ......#."},
      {CRFillStyle::kCross, "######## #......."},
      {CRFillStyle::kDiagonalCross, "#......# .#....#."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    CRSurface surface(40, 20);
    FillWith(surface, {c.style, kRed, std::nullopt, 1.0}, {0, 0, 40, 20});
    std::string rows;
    for (int y = 0; y < 2; ++y) {
      if (y) rows += ' ';
      for (int x = 0; x < 8; ++x) rows += IsPainted(surface, x, y) ? '#' : '.';
    }
    EXPECT_EQ(rows, c.firstTwoRows);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 32; ++x) {
        ASSERT_TRUE(PixelNear(surface.GetPixel(x, y), surface.GetPixel(x + 8, y), 0)) << x << "," << y;
        ASSERT_TRUE(PixelNear(surface.GetPixel(x, y), surface.GetPixel(x, y + 8), 0)) << x << "," << y;
      }
  }
}

TEST(Brush, HatchBackgroundIsTheBackColourOrNothing) {
  CRSurface surface(8, 8);
  FillWith(surface, {CRFillStyle::kHorizontal, kRed, kBlue, 1.0}, {0, 0, 8, 8});
  EXPECT_TRUE(PixelNear(surface.GetPixel(3, 0), {255, 0, 0, 255}, 0));
  EXPECT_TRUE(PixelNear(surface.GetPixel(3, 4), {0, 0, 255, 255}, 0));
}

TEST(Brush, GradientsHaveTheirEndColoursAtTheEnds) {
  const CRPixel fore{255, 0, 0, 255}, back{0, 0, 255, 255};
  const CRPixel mid{128, 0, 128, 255};
  struct Case {
    CRFillStyle style;
    CRPixel first;  // near the start of the direction
    CRPixel middle;
    CRPixel last;  // near its end
    int x0, y0, x1, y1;
  };
  // The 40x20 rectangle: start and end pixels per direction.
  const Case cases[] = {
      {CRFillStyle::kGradientHorizontal1, fore, mid, back, 0, 10, 39, 10},
      {CRFillStyle::kGradientHorizontal2, back, mid, fore, 0, 10, 39, 10},
      {CRFillStyle::kGradientHorizontal3, fore, back, fore, 0, 10, 39, 10},
      {CRFillStyle::kGradientHorizontal4, back, fore, back, 0, 10, 39, 10},
      {CRFillStyle::kGradientVertical1, fore, mid, back, 20, 0, 20, 19},
      {CRFillStyle::kGradientForwardDiagonal1, fore, mid, back, 0, 0, 39, 19},
      {CRFillStyle::kGradientBackwardDiagonal1, fore, mid, back, 39, 0, 0, 19},
      {CRFillStyle::kGradientCenter1, back, fore, back, 0, 0, 39, 19},
      {CRFillStyle::kGradientCenter2, fore, back, fore, 0, 0, 39, 19},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    CRSurface surface(40, 20);
    FillWith(surface, {c.style, kRed, kBlue, 1.0}, {0, 0, 40, 20});
    // A pixel's centre lies half a pixel inside the ends, so allow a step of the gradient.
    EXPECT_TRUE(PixelNear(surface.GetPixel(c.x0, c.y0), c.first, 40));
    EXPECT_TRUE(PixelNear(surface.GetPixel((c.x0 + c.x1 + 1) / 2, (c.y0 + c.y1 + 1) / 2), c.middle, 40));
    EXPECT_TRUE(PixelNear(surface.GetPixel(c.x1, c.y1), c.last, 40));
  }
}

TEST(Brush, GradientFollowsTheFilledShapeAndFadesWithoutABackColour) {
  CRSurface surface(40, 20);
  FillWith(surface, {CRFillStyle::kGradientHorizontal1, kRed, std::nullopt, 1.0}, {20, 0, 20, 20});
  EXPECT_FALSE(IsPainted(surface, 19, 10));
  EXPECT_TRUE(PixelNear(surface.GetPixel(20, 10), {255, 0, 0, 255}, 15));
  EXPECT_LT(surface.GetPixel(39, 10).alpha, 15);
}

}  // namespace
