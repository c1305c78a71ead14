#include "draw/brush.h"

#include <gtest/gtest.h>

#include "draw/painter.h"
#include "pixels.h"

namespace {

// Every hatch and gradient on its back colour is in the golden images of the shapes; here a
// gradient without one.
TEST(Brush, GradientFollowsTheFilledShapeAndFadesWithoutABackColour) {
  CRSurface surface(40, 20);
  CRPainter painter(surface);
  painter.FillPath(CRPath::Rectangle({20, 0, 20, 20}),
                   {CRFillStyle::kGradientHorizontal1, kRed, std::nullopt, 1.0});
  EXPECT_FALSE(IsPainted(surface, 19, 10));
  EXPECT_TRUE(PixelNear(surface.GetPixel(20, 10), {255, 0, 0, 255}, 15));
  EXPECT_LT(surface.GetPixel(39, 10).alpha, 15);
}

}  // namespace
