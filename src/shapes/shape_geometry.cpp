#include "shapes/shape_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kCurvePieces = 16;  // straight pieces per curve when flattening

CRPointF CubicAt(CRPointF p0, CRPointF c1, CRPointF c2, CRPointF p3, double t) {
  const double u = 1.0 - t;
  const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return {a * p0.x + b * c1.x + c * c2.x + d * p3.x, a * p0.y + b * c1.y + c * c2.y + d * p3.y};
}

double DistanceToSegment(CRPointF p, CRPointF a, CRPointF b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

CRPath SectorPath(const CRRectF& rect, double start, double end, bool pie) {
  if (!(end > start)) return {};
  if (end - start >= 360.0) return CRPath::Ellipse(rect);
  // The path's angles count from three o'clock.
  return pie ? CRPath::Pie(rect, start - 90.0, end - start) : CRPath::Arc(rect, start - 90.0, end - start);
}

std::vector<std::vector<CRPointF>> FlattenPath(const CRPath& path) {
  std::vector<std::vector<CRPointF>> figures;
  CRPointF start;
  for (const CRPath::Segment& s : path.GetSegments()) {
    switch (s.verb) {
      case CRPath::Verb::kMove:
        figures.push_back({s.points[0]});
        start = s.points[0];
        break;
      case CRPath::Verb::kLine:
        if (figures.empty()) figures.push_back({s.points[0]});
        figures.back().push_back(s.points[0]);
        break;
      case CRPath::Verb::kCurve: {
        if (figures.empty()) figures.push_back({s.points[0]});
        const CRPointF from = figures.back().back();
        for (int i = 1; i <= kCurvePieces; ++i)
          figures.back().push_back(
              CubicAt(from, s.points[0], s.points[1], s.points[2], static_cast<double>(i) / kCurvePieces));
        break;
      }
      case CRPath::Verb::kClose:
        if (!figures.empty()) figures.back().push_back(start);
        break;
    }
  }
  return figures;
}

bool IsInsideEvenOdd(const std::vector<std::vector<CRPointF>>& figures, CRPointF p) {
  bool inside = false;
  for (const std::vector<CRPointF>& figure : figures) {
    // Every figure counts as closed, the way a fill closes it.
    for (size_t i = 0, j = figure.size() - 1; i < figure.size(); j = i++) {
      const CRPointF& a = figure[i];
      const CRPointF& b = figure[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
  }
  return inside;
}

double DistanceToFigures(const std::vector<std::vector<CRPointF>>& figures, CRPointF p) {
  double nearest = std::numeric_limits<double>::infinity();
  for (const std::vector<CRPointF>& figure : figures) {
    if (figure.size() == 1) nearest = std::min(nearest, std::hypot(p.x - figure[0].x, p.y - figure[0].y));
    for (size_t i = 1; i < figure.size(); ++i)
      nearest = std::min(nearest, DistanceToSegment(p, figure[i - 1], figure[i]));
  }
  return nearest;
}

CRPointF RotateAbout(CRPointF p, CRPointF center, double degrees) {
  const double r = DegreesToRadians(degrees);
  const double c = std::cos(r), s = std::sin(r);
  const double dx = p.x - center.x, dy = p.y - center.y;
  return {center.x + dx * c - dy * s, center.y + dx * s + dy * c};
}

CRRectF PathBounds(const CRPath& path) {
  bool any = false;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (const CRPath::Segment& s : path.GetSegments()) {
    const int count = s.verb == CRPath::Verb::kCurve ? 3 : s.verb == CRPath::Verb::kClose ? 0 : 1;
    for (int i = 0; i < count; ++i) {
      const CRPointF& q = s.points[i];
      if (!any) {
        x0 = x1 = q.x;
        y0 = y1 = q.y;
        any = true;
      }
      x0 = std::min(x0, q.x);
      y0 = std::min(y0, q.y);
      x1 = std::max(x1, q.x);
      y1 = std::max(y1, q.y);
    }
  }
  return {x0, y0, x1 - x0, y1 - y0};
}
