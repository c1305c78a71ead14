#include "draw/column_span_polyline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The drawing library holds coordinates in whole 1/256 pixels.
constexpr int64_t kUnit = 256;
constexpr int64_t kHalf = kUnit / 2;
// How far a one-pixel line's round end reaches past a point where the line turns back, on the
// line's middle: the flat side of the library's ten-cornered pen, 0.5 * sin 72 degrees.
constexpr int64_t kTurnReach = 122;
// How far a round join reaches from its point: the pen's radius, and a margin.
constexpr int64_t kJoinReach = kHalf + 2;
// The piece of a column's first or last stretch kept to give its join the same direction.
constexpr int64_t kStub = kUnit;
// Coordinates beyond this are left alone (the library's own stop at 2^23 pixels).
constexpr double kLargest = 1 << 22;

int64_t ToUnits(double v) {
  return static_cast<int64_t>(std::nearbyint(v * kUnit));
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The first pixel row whose middle lies at or below y (units).
int64_t RowFrom(int64_t y) {
  return -FloorDiv(kHalf - y, kUnit);
}

// Adds points to a path as figures: the first point of each figure is a move.
class CFigureWriter {
 public:
  explicit CFigureWriter(CRPath& path) : m_path(path) {}
  void Add(CRPointF point) {
    m_bOpen ? m_path.LineTo(point) : m_path.MoveTo(point);
    m_bOpen = true;
  }
  void End() { m_bOpen = false; }

 private:
  CRPath& m_path;
  bool m_bOpen = false;
};

class CColumnSpans {
 public:
  CColumnSpans(const std::vector<CRPointF>& points, const CRPixelGrid& grid, CRPath& path)
      : m_points(points), m_grid(grid), m_path(path), m_writer(path) {}

  void Write() {
    for (size_t begin = 0; begin < m_points.size();) {
      size_t end = begin + 1;
      while (end < m_points.size() && m_points[end].x == m_points[begin].x) ++end;
      if (ReadColumn(begin, end)) {
        WriteSpan(begin, end);
      } else {
        for (size_t i = begin; i < end; ++i) m_writer.Add(m_points[i]);
      }
      begin = end;
    }
  }

 private:
  // Whether point i stands on the pixel x (units) the library rounds it to.
  bool IsOnX(size_t i, int64_t x) const {
    const double deviceX = m_points[i].x + m_grid.shiftX;
    return std::fabs(deviceX) < kLargest && ToUnits(deviceX) == x;
  }
  double UserY(int64_t units) const { return static_cast<double>(units) / kUnit - m_grid.shiftY; }

  // Whether the points [begin, end), all of one x, make a column drawable as a span; if so
  // m_heights holds their heights in units, a repeated height once.
  bool ReadColumn(size_t begin, size_t end) {
    const double deviceX = m_points[begin].x + m_grid.shiftX;
    if (end - begin < 2 || !(std::fabs(deviceX) < kLargest)) return false;
    const int64_t x = ToUnits(deviceX);
    if ((x - kHalf) % kUnit != 0) return false;
    const int64_t column = FloorDiv(x - kHalf, kUnit);
    if (column < std::ceil(m_grid.clipLeft + m_grid.shiftX) + 1 ||
        column + 2 > std::floor(m_grid.clipRight + m_grid.shiftX))
      return false;
    // A neighbour on the same pixel x would make the line into the column vertical too.
    if ((begin > 0 && IsOnX(begin - 1, x)) || (end < m_points.size() && IsOnX(end, x))) return false;
    m_heights.clear();
    for (size_t i = begin; i < end; ++i) {
      const double y = m_points[i].y + m_grid.shiftY;
      if (!(std::fabs(y) < kLargest)) return false;
      const int64_t units = ToUnits(y);
      if (m_heights.empty() || m_heights.back() != units) m_heights.push_back(units);
    }
    return m_heights.size() >= 2;
  }

  void WriteSpan(size_t begin, size_t end) {
    int64_t top = m_heights.front(), bottom = top;
    for (size_t i = 0; i < m_heights.size(); ++i) {
      const int64_t y = m_heights[i];
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      if (i == 0 || i + 1 == m_heights.size()) continue;
      if (y > m_heights[i - 1] && y > m_heights[i + 1]) bottom = std::max(bottom, y + kTurnReach);
      if (y < m_heights[i - 1] && y < m_heights[i + 1]) top = std::min(top, y - kTurnReach);
    }
    const int64_t firstRow = RowFrom(top), endRow = RowFrom(bottom);
    const double x = m_points[begin].x;
    const auto joinReachesPast = [&](int64_t y) {
      return RowFrom(y - kJoinReach) < firstRow || RowFrom(y + kJoinReach + 1) > endRow;
    };
    const auto stub = [&](int64_t from, int64_t toward) {
      return CRPointF{x, UserY(from + std::clamp(toward - from, -kStub, kStub))};
    };
    // The line coming in ends at the column, with its join where that reaches past the span.
    if (begin > 0) {
      m_writer.Add(m_points[begin]);
      if (joinReachesPast(m_heights.front())) m_writer.Add(stub(m_heights[0], m_heights[1]));
      m_writer.End();
    }
    if (endRow > firstRow) {
      m_path.MoveTo({x, UserY(firstRow * kUnit)});
      m_path.LineTo({x, UserY(endRow * kUnit)});
    }
    // The line going on starts at the column.
    if (end < m_points.size()) {
      const size_t last = m_heights.size() - 1;
      if (joinReachesPast(m_heights[last])) m_writer.Add(stub(m_heights[last], m_heights[last - 1]));
      m_writer.Add(m_points[end - 1]);
    }
  }

  const std::vector<CRPointF>& m_points;
  const CRPixelGrid& m_grid;
  CRPath& m_path;
  CFigureWriter m_writer;
  std::vector<int64_t> m_heights;
};

}  // namespace

CRPath ColumnSpanPolyline(const std::vector<CRPointF>& points, const CRPixelGrid& grid) {
  CRPath path;
  for (const CRPointF& p : points)
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return path;
  CColumnSpans(points, grid, path).Write();
  return path;
}
