// Polylines whose points stack up in pixel columns, stroked through their column spans and
// stroked point by point: the same pixels, including where the stroke bridges one-pixel gaps.
#include "draw/column_span_polyline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "pixels.h"

namespace {

CRPen OnePixelRoundPen() {
  CRPen pen;
  pen.color = kBlue;
  pen.join = CRLineJoin::kRound;
  return pen;
}

// Draws the points both ways, shifted and clipped as asked, and counts the differing pixels.
int CompareStrokes(const std::vector<CRPointF>& points, CRPointF shift, const CRRectF& clip) {
  CRSurface plain(300, 200), spans(300, 200);
  for (CRSurface* surface : {&plain, &spans}) {
    CRPainter painter(*surface);
    painter.Translate(shift.x, shift.y);
    painter.ClipRect(clip);
    if (surface == &plain) {
      painter.StrokePath(CRPath::Polyline(points), OnePixelRoundPen());
    } else {
      painter.StrokePolyline(points, OnePixelRoundPen());
    }
  }
  return DifferingPixels(plain, spans);
}

TEST(ColumnSpanPolyline, StrokesTheSamePixelsAsEveryPointWithFarFewerSegments) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> unit(0, 1);
  const CRRectF whole = {-50, -50, 400, 300};
  for (int perColumn : {1, 2, 4, 7, 40})
    for (double swing : {0.8, 5.0, 60.0})
      for (double grain : {0.0, 0.5, 1.0 / 256}) {  // heights on half pixels and on the 1/256 grid too
        std::vector<CRPointF> points;
        double centre = 100;
        for (int column = 0; column < 260; ++column) {
          if (unit(random) < 0.05) column += 1 + static_cast<int>(unit(random) * 3);  // columns left empty
          const int count = 1 + static_cast<int>(unit(random) * perColumn);
          for (int i = 0; i < count; ++i) {
            double y = std::clamp(centre + (unit(random) - 0.5) * swing, 3.0, 190.0);
            if (grain > 0) y = std::round(y / grain) * grain;
            points.push_back({20 + column + 0.5, y});
          }
          centre = std::clamp(centre + (unit(random) - 0.5) * swing / 2, 20.0, 180.0);
        }
        SCOPED_TRACE(testing::Message()
                     << perColumn << " per column, swing " << swing << ", grain " << grain);
        EXPECT_EQ(CompareStrokes(points, {0, 0}, whole), 0);
        EXPECT_EQ(CompareStrokes(points, {3, -2}, {60.5, 20, 150.25, 150}), 0);
        if (perColumn == 40) {
          const CRPath path = ColumnSpanPolyline(points, {0, 0, 0, 300});
          EXPECT_LT(path.GetSegments().size() * 2, points.size());
        }
      }
}

TEST(ColumnSpanPolyline, BadPointsDrawAsThePlainPolylineDoes) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const CRRectF whole = {0, 0, 300, 200};
  EXPECT_TRUE(ColumnSpanPolyline({{10.5, 10}, {10.5, kNaN}, {11.5, 20}}, {0, 0, 0, 300}).IsEmpty());
  EXPECT_EQ(CompareStrokes({{10.5, 10}, {10.5, 1e12}, {10.5, -1e12}, {11.5, 20}, {11.5, 40}}, {0, 0}, whole),
            0);
  EXPECT_EQ(CompareStrokes({{1e12, 10}, {1e12, 30}, {20.5, 20}, {20.5, 60}, {20.5, 50}}, {0, 0}, whole), 0);
  EXPECT_EQ(CompareStrokes({{20.5, 20}, {20.5, 20}, {20.5, 20}, {21.5, 20}}, {0, 0}, whole), 0);
}

}  // namespace
