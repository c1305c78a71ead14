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
// How far a round join, or the side of a line, reaches from the line's point: the pen's radius,
// and a margin.
constexpr int64_t kReach = kHalf + 2;
// The piece of a column's first or last stretch kept to give its join the same direction.
constexpr int64_t kStub = kUnit;
// Coordinates beyond this are left alone (the library's own stop at 2^23 pixels).
constexpr double kLargest = 1 << 22;

// Rounded to the nearest unit, halves to even, as the library rounds.
int64_t ToUnits(double v) {
  return std::llrint(v * kUnit);
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The first pixel row whose middle lies at or below y (units).
int64_t RowFrom(int64_t y) {
  return -FloorDiv(kHalf - y, kUnit);
}

// The points of one x in a row. A span column also knows the pixel rows its stroke covers and
// the heights (units) of its first two and last two distinct points, which give the directions
// of the lines into and out of it.
struct CColumn {
  size_t begin = 0;
  size_t end = 0;
  bool span = false;
  int64_t x = 0;
  int64_t firstRow = 0;
  int64_t endRow = 0;
  int64_t first = 0;
  int64_t second = 0;
  int64_t beforeLast = 0;
  int64_t last = 0;

  // Whether every row within reach of the heights [low, high] lies in the span.
  bool Covers(int64_t low, int64_t high) const {
    return RowFrom(low - kReach) >= firstRow && RowFrom(high + kReach + 1) <= endRow;
  }
};

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
      CColumn column;
      column.begin = begin;
      column.end = begin + 1;
      while (column.end < m_points.size() && m_points[column.end].x == m_points[begin].x) ++column.end;
      ReadColumn(column);
      m_columns.push_back(column);
      begin = column.end;
    }
    for (size_t k = 0; k < m_columns.size(); ++k) {
      const CColumn& column = m_columns[k];
      if (!column.span) {
        for (size_t i = column.begin; i < column.end; ++i) m_writer.Add(m_points[i]);
        continue;
      }
      if (k > 0 && !LineIsCovered(k - 1)) WriteLineInto(column);
      m_writer.End();
      if (column.endRow > column.firstRow) {
        const double x = m_points[column.begin].x;
        m_path.MoveTo({x, UserY(column.firstRow * kUnit)});
        m_path.LineTo({x, UserY(column.endRow * kUnit)});
      }
      if (k + 1 < m_columns.size() && !LineIsCovered(k)) WriteLineOutOf(column);
    }
  }

 private:
  double UserY(int64_t units) const { return static_cast<double>(units) / kUnit - m_grid.shiftY; }

  // Whether point i stands on the pixel x (units) the library rounds it to.
  bool IsOnX(size_t i, int64_t x) const {
    const double deviceX = m_points[i].x + m_grid.shiftX;
    return std::fabs(deviceX) < kLargest && ToUnits(deviceX) == x;
  }

  // Decides whether the column is drawn as a span: on a pixel's middle, a pixel or more inside
  // the clip, with at least two heights and no neighbour on the same pixel x.
  void ReadColumn(CColumn& column) {
    const double deviceX = m_points[column.begin].x + m_grid.shiftX;
    if (column.end - column.begin < 2 || !(std::fabs(deviceX) < kLargest)) return;
    column.x = ToUnits(deviceX);
    if ((column.x - kHalf) % kUnit != 0) return;
    const int64_t pixel = FloorDiv(column.x - kHalf, kUnit);
    if (pixel < std::ceil(m_grid.clipLeft + m_grid.shiftX) + 1 ||
        pixel + 2 > std::floor(m_grid.clipRight + m_grid.shiftX))
      return;
    if ((column.begin > 0 && IsOnX(column.begin - 1, column.x)) ||
        (column.end < m_points.size() && IsOnX(column.end, column.x)))
      return;
    m_heights.clear();
    for (size_t i = column.begin; i < column.end; ++i) {
      const double y = m_points[i].y + m_grid.shiftY;
      if (!(std::fabs(y) < kLargest)) return;
      const int64_t units = ToUnits(y);
      if (m_heights.empty() || m_heights.back() != units) m_heights.push_back(units);
    }
    const size_t count = m_heights.size();
    if (count < 2) return;
    int64_t top = m_heights[0], bottom = top;
    for (size_t i = 0; i < count; ++i) {
      const int64_t y = m_heights[i];
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      if (i == 0 || i + 1 == count) continue;
      if (y > m_heights[i - 1] && y > m_heights[i + 1]) bottom = std::max(bottom, y + kTurnReach);
      if (y < m_heights[i - 1] && y < m_heights[i + 1]) top = std::min(top, y - kTurnReach);
    }
    column.span = true;
    column.firstRow = RowFrom(top);
    column.endRow = RowFrom(bottom);
    column.first = m_heights[0];
    column.second = m_heights[1];
    column.beforeLast = m_heights[count - 2];
    column.last = m_heights[count - 1];
  }

  // Whether the line from column k to the next one, with its joins, lies wholly within the
  // spans of both: then the stroke covers nothing more with it.
  bool LineIsCovered(size_t k) const {
    const CColumn& from = m_columns[k];
    const CColumn& to = m_columns[k + 1];
    if (!from.span || !to.span || std::abs(to.x - from.x) != kUnit) return false;
    const int64_t low = std::min(from.last, to.first), high = std::max(from.last, to.first);
    return from.Covers(low, high) && to.Covers(low, high);
  }

  CRPointF Stub(const CColumn& column, int64_t from, int64_t toward) const {
    return {m_points[column.begin].x, UserY(from + std::clamp(toward - from, -kStub, kStub))};
  }

  // The line coming in ends at the column, with its join where that reaches past the span.
  void WriteLineInto(const CColumn& column) {
    m_writer.Add(m_points[column.begin]);
    if (!column.Covers(column.first, column.first)) m_writer.Add(Stub(column, column.first, column.second));
  }

  // The line going on starts at the column.
  void WriteLineOutOf(const CColumn& column) {
    if (!column.Covers(column.last, column.last)) m_writer.Add(Stub(column, column.last, column.beforeLast));
    m_writer.Add(m_points[column.end - 1]);
  }

  const std::vector<CRPointF>& m_points;
  const CRPixelGrid& m_grid;
  CRPath& m_path;
  CFigureWriter m_writer;
  std::vector<CColumn> m_columns;
  std::vector<int64_t> m_heights;
};

}  // namespace

CRPath ColumnSpanPolyline(const std::vector<CRPointF>& points, const CRPixelGrid& grid) {
  CRPath path;
  for (const CRPointF& p : points)
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return path;
  // Most columns give fewer segments than they have points; the rest grow the path.
  path.Reserve(points.size() + 8);
  CColumnSpans(points, grid, path).Write();
  return path;
}
