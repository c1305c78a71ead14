#include "draw/path.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

bool IsFinite(CRPointF p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

std::optional<CRPointF> Direction(CRPointF from, CRPointF to) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  if (!(length > 1e-9)) return std::nullopt;
  return CRPointF{dx / length, dy / length};
}

// The points of a segment in drawing order, the pen position before it first.
std::vector<CRPointF> SegmentPoints(CRPointF current, const CRPath::Segment& segment) {
  if (segment.verb == CRPath::Verb::kCurve)
    return {current, segment.points[0], segment.points[1], segment.points[2]};
  return {current, segment.points[0]};
}

// Walks a figure's points from one end until two of them differ; that is the outward direction.
std::optional<CRPointF> OutwardAt(const std::vector<CRPointF>& points) {
  for (size_t i = 1; i < points.size(); ++i)
    if (auto d = Direction(points[i], points[0])) return d;
  return std::nullopt;
}

}  // namespace

void CRPath::Add(Segment segment) {
  if (m_bBroken) return;
  const int count = segment.verb == Verb::kCurve ? 3 : segment.verb == Verb::kClose ? 0 : 1;
  for (int i = 0; i < count; ++i) {
    if (!IsFinite(segment.points[i])) {
      m_bBroken = true;
      m_segments.clear();
      return;
    }
  }
  m_segments.push_back(segment);
}

void CRPath::MoveTo(CRPointF point) {
  Add({Verb::kMove, {point}});
}
void CRPath::LineTo(CRPointF point) {
  Add({Verb::kLine, {point}});
}
void CRPath::CurveTo(CRPointF control1, CRPointF control2, CRPointF end) {
  Add({Verb::kCurve, {control1, control2, end}});
}
void CRPath::Close() {
  Add({Verb::kClose, {}});
}

void CRPath::AddEllipticArc(CRPointF center, double rx, double ry, double startRadians, double sweepRadians,
                            bool connect) {
  auto at = [&](double t) { return CRPointF{center.x + rx * std::cos(t), center.y + ry * std::sin(t)}; };
  auto tangent = [&](double t) { return CRPointF{-rx * std::sin(t), ry * std::cos(t)}; };
  if (connect) {
    LineTo(at(startRadians));
  } else {
    MoveTo(at(startRadians));
  }
  // Cubic pieces of at most a quarter turn each.
  const int pieces =
      std::max(1, static_cast<int>(std::ceil(std::fabs(sweepRadians) / (std::numbers::pi / 2) - 1e-9)));
  const double step = sweepRadians / pieces;
  const double k = 4.0 / 3.0 * std::tan(step / 4.0);
  for (int i = 0; i < pieces; ++i) {
    const double t0 = startRadians + step * i;
    const double t1 = t0 + step;
    const CRPointF p0 = at(t0), p1 = at(t1), d0 = tangent(t0), d1 = tangent(t1);
    CurveTo({p0.x + k * d0.x, p0.y + k * d0.y}, {p1.x - k * d1.x, p1.y - k * d1.y}, p1);
  }
}

CRPath CRPath::Rectangle(const CRRectF& rect) {
  return Polygon(
      {{rect.x, rect.y}, {rect.Right(), rect.y}, {rect.Right(), rect.Bottom()}, {rect.x, rect.Bottom()}});
}

CRPath CRPath::RoundedRectangle(const CRRectF& rect, double radius) {
  const double rx = std::min(radius, std::fabs(rect.width) * 0.5);
  const double ry = std::min(radius, std::fabs(rect.height) * 0.5);
  if (!(rx > 0.0 && ry > 0.0)) return Rectangle(rect);
  CRPath path;
  const double left = std::min(rect.x, rect.Right()), top = std::min(rect.y, rect.Bottom());
  const double right = std::max(rect.x, rect.Right()), bottom = std::max(rect.y, rect.Bottom());
  path.AddEllipticArc({right - rx, top + ry}, rx, ry, -std::numbers::pi / 2, std::numbers::pi / 2, false);
  path.AddEllipticArc({right - rx, bottom - ry}, rx, ry, 0.0, std::numbers::pi / 2, true);
  path.AddEllipticArc({left + rx, bottom - ry}, rx, ry, std::numbers::pi / 2, std::numbers::pi / 2, true);
  path.AddEllipticArc({left + rx, top + ry}, rx, ry, std::numbers::pi, std::numbers::pi / 2, true);
  path.Close();
  return path;
}

CRPath CRPath::Ellipse(const CRRectF& rect) {
  CRPath path;
  path.AddEllipticArc(rect.Center(), rect.width * 0.5, rect.height * 0.5, 0.0, 2 * std::numbers::pi, false);
  path.Close();
  return path;
}

CRPath CRPath::Polyline(const std::vector<CRPointF>& points) {
  CRPath path;
  for (size_t i = 0; i < points.size(); ++i) i == 0 ? path.MoveTo(points[i]) : path.LineTo(points[i]);
  return path;
}

CRPath CRPath::Polygon(const std::vector<CRPointF>& points) {
  CRPath path = Polyline(points);
  if (!path.IsEmpty()) path.Close();
  return path;
}

CRPath CRPath::Arc(const CRRectF& rect, double startDegrees, double sweepDegrees) {
  CRPath path;
  if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees) || sweepDegrees == 0.0) return path;
  const double sweep = std::clamp(sweepDegrees, -360.0, 360.0);
  path.AddEllipticArc(rect.Center(), rect.width * 0.5, rect.height * 0.5, DegreesToRadians(startDegrees),
                      DegreesToRadians(sweep), false);
  return path;
}

CRPath CRPath::Pie(const CRRectF& rect, double startDegrees, double sweepDegrees) {
  CRPath arc = Arc(rect, startDegrees, sweepDegrees);
  if (arc.IsEmpty()) return arc;
  CRPath path;
  path.MoveTo(rect.Center());
  for (const Segment& segment : arc.m_segments)
    path.Add(segment.verb == Verb::kMove ? Segment{Verb::kLine, {segment.points[0]}} : segment);
  path.Close();
  return path;
}

std::vector<CRPathEnd> CRPath::OpenEnds() const {
  std::vector<CRPathEnd> ends;
  std::vector<CRPointF> figure;  // every point of the current figure, in order
  auto finish = [&](bool closed) {
    if (!closed && figure.size() > 1) {
      std::vector<CRPointF> backwards(figure.rbegin(), figure.rend());
      auto startOut = OutwardAt(figure);
      auto endOut = OutwardAt(backwards);
      if (startOut && endOut) {
        ends.push_back({figure.front(), *startOut});
        ends.push_back({figure.back(), *endOut});
      }
    }
    figure.clear();
  };
  for (const Segment& segment : m_segments) {
    switch (segment.verb) {
      case Verb::kMove:
        finish(false);
        figure.push_back(segment.points[0]);
        break;
      case Verb::kClose:
        finish(true);
        break;
      default:
        if (figure.empty()) figure.push_back(segment.points[0]);
        const std::vector<CRPointF> points = SegmentPoints(figure.back(), segment);
        figure.insert(figure.end(), points.begin() + 1, points.end());
        break;
    }
  }
  finish(false);
  return ends;
}
