#include "draw/brush.h"

#include <gtest/gtest.h>

#include "draw/painter.h"
#include "pixels.h"

namespace {

void FillWith(CRSurface& surface, const CRBrush& brush, const CRRectF& rect) {
  CRPainter painter(surface);
  painter.FillPath(CRPath::Rectangle(rect), brush);
}

// Every hatch and gradient as drawn is in the golden images of the shapes; here the rules of the
// colours behind them.
TEST(Brush, HatchBackgroundIsTheBackColourOrNothing) {
  CRSurface surface(8, 8);
  FillWith(surface, {CRFillStyle::kHorizontal, kRed, kBlue, 1.0}, {0, 0, 8, 8});
  EXPECT_TRUE(PixelNear(surface.GetPixel(3, 0), {255, 0, 0, 255}, 0));
  EXPECT_TRUE(PixelNear(surface.GetPixel(3, 4), {0, 0, 255, 255}, 0));
}

TEST(Brush, GradientFollowsTheFilledShapeAndFadesWithoutABackColour) {
  CRSurface surface(40, 20);
  FillWith(surface, {CRFillStyle::kGradientHorizontal1, kRed, std::nullopt, 1.0}, {20, 0, 20, 20});
  EXPECT_FALSE(IsPainted(surface, 19, 10));
  EXPECT_TRUE(PixelNear(surface.GetPixel(20, 10), {255, 0, 0, 255}, 15));
  EXPECT_LT(surface.GetPixel(39, 10).alpha, 15);
}

}  // namespace
