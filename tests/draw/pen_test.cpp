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

TEST(Pen, EachEndGetsItsOwnCap) {
  // A 4-pixel line from x 10 to 30 on row 8..11: flat at the start, a square at the end.
  CRSurface surface(40, 20);
  CRPainter painter(surface);
  CRPen pen;
  pen.width = 4;
  pen.endCap = CREndCap::kSquare;
  painter.StrokePath(CRPath::Polyline({{10, 10}, {30, 10}}), pen);
  EXPECT_EQ(Row(surface, 9), std::string(10, '.') + std::string(22, '#') + std::string(8, '.'));
}

TEST(Pen, CapsAndAnchorsStayAroundTheirEnd) {
  struct Case {
    CREndCap cap;
    int reachBeyondEnd;  // painted pixels past x 20 on the line's row
    bool widerThanLine;  // paints rows the 2-pixel line does not
  };
  const Case cases[] = {
      {CREndCap::kFlat, 0, false},         {CREndCap::kRound, 1, false},
      {CREndCap::kSquare, 1, false},       {CREndCap::kTriangle, 1, false},
      {CREndCap::kSquareAnchor, 3, true},  {CREndCap::kRoundAnchor, 3, true},
      {CREndCap::kDiamondAnchor, 3, true}, {CREndCap::kArrowAnchor, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.cap));
    CRSurface surface(40, 20);
    CRPainter painter(surface);
    CRPen pen;
    pen.width = 2;
    pen.endCap = c.cap;
    painter.StrokePath(CRPath::Polyline({{5, 10}, {20, 10}}), pen);
    int reach = 0;
    while (IsPainted(surface, 20 + reach, 10) || IsPainted(surface, 20 + reach, 9)) ++reach;
    EXPECT_NEAR(reach, c.reachBeyondEnd, 1);
    EXPECT_EQ(CountPainted(surface, 0, 9, 40, 11, true) > 0, c.widerThanLine);
    EXPECT_FALSE(IsPainted(surface, 4, 10));  // the start stays flat
  }
}

}  // namespace
