#include "draw/path.h"

#include <gtest/gtest.h>

#include "draw/painter.h"
#include "pixels.h"

namespace {

void FillShape(CRSurface& surface, const CRPath& path) {
  CRPainter painter(surface);
  painter.FillPath(path, CRBrush{CRFillStyle::kSolid, kRed, std::nullopt, 1.0});
}

// Pies, arcs, ellipses and rounded rectangles as drawn are in the golden images of the shapes.
TEST(Path, PieSweepsBeyondATurnAreOneTurnAndAZeroSweepIsNothing) {
  CRSurface full(40, 40), none(40, 40);
  FillShape(full, CRPath::Pie({0, 0, 40, 40}, 45, 1000));
  FillShape(none, CRPath::Pie({0, 0, 40, 40}, 45, 0));
  EXPECT_NEAR(CountPainted(full, 0, 0, 40, 40), 1257, 30);
  EXPECT_EQ(CountPainted(none, 0, 0, 40, 40), 0);
}

TEST(Path, PolygonsFillWithTheEvenOddRule) {
  // A frame drawn as one polygon that runs round the outer square, then round the inner one.
  CRSurface surface(20, 20);
  CRPath frame = CRPath::Polygon({{0, 0}, {20, 0}, {20, 20}, {0, 20}});
  frame.MoveTo({5, 5});
  frame.LineTo({15, 5});
  frame.LineTo({15, 15});
  frame.LineTo({5, 15});
  frame.Close();
  FillShape(surface, frame);
  EXPECT_EQ(CountPainted(surface, 5, 5, 15, 15), 0);
  EXPECT_EQ(CountPainted(surface, 5, 5, 15, 15, true), 300);
}

TEST(Path, OpenEndsPointAwayFromTheFigure) {
  const std::vector<CRPathEnd> ends = CRPath::Polyline({{10, 10}, {10, 10}, {20, 10}, {20, 30}}).OpenEnds();
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_DOUBLE_EQ(ends[0].outward.x, -1.0);  // the repeated start point is skipped
  EXPECT_DOUBLE_EQ(ends[1].outward.y, 1.0);
  EXPECT_TRUE(CRPath::Polygon({{0, 0}, {5, 0}, {5, 5}}).OpenEnds().empty());
  EXPECT_TRUE(CRPath::Arc({0, 0, 10, 10}, 0, 90).OpenEnds().size() == 2);
}

}  // namespace
