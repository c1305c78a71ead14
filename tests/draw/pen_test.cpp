#include "draw/pen.h"

#include <gtest/gtest.h>

#include "draw/painter.h"
#include "pixels.h"

namespace {

// Which of the pixels on row y, x from 0 to 39, are painted, as a string of '#' and '.'.
std::string Row(const CRSurface& surface, int y) {
  std::string row;
  for (int x = 0; x < surface.GetWidth(); ++x) row += IsPainted(surface, x, y) ? '#' : '.';
  return row;
}

std::string StrokeRow(CRLineStyle style, double width) {
  CRSurface surface(40, 20);
  CRPainter painter(surface);
  CRPen pen;
  pen.style = style;
  pen.width = width;
  // Lines are centred on their path, so a line of odd width is crisp on a pixel's middle.
  const double y = static_cast<int>(pen.EffectiveWidth()) % 2 ? 10.5 : 10.0;
  painter.StrokePath(CRPath::Polyline({{0, y}, {40, y}}), pen);
  return Row(surface, 10);
}

TEST(Pen, LineStylesAreDashPatternsScaledByTheWidth) {
  EXPECT_EQ(StrokeRow(CRLineStyle::kSolid, 2), std::string(40, '#'));
  EXPECT_EQ(StrokeRow(CRLineStyle::kDash, 2), "######..######..######..######..######..");
  EXPECT_EQ(StrokeRow(CRLineStyle::kDot, 2), "##..##..##..##..##..##..##..##..##..##..");
  EXPECT_EQ(StrokeRow(CRLineStyle::kDashDot, 2), "######..##..######..##..######..##..####");
  EXPECT_EQ(StrokeRow(CRLineStyle::kDashDotDot, 1), "###.#.#.###.#.#.###.#.#.###.#.#.###.#.#.");
  // A width that is no width strokes one pixel wide.
  EXPECT_EQ(StrokeRow(CRLineStyle::kDash, 0), StrokeRow(CRLineStyle::kDash, 1));
  EXPECT_EQ(StrokeRow(CRLineStyle::kDash, -3), StrokeRow(CRLineStyle::kDash, 1));
}

}  // namespace
