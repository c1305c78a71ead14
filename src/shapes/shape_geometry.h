#pragma once

#include <vector>

#include "draw/geometry.h"
#include "draw/path.h"
#include "shapes/points_text.h"

// Figures of the drawn shapes, built the same way in form coordinates (hit tests, paint bounds)
// and in surface pixels (drawing). Angles of sectors are degrees, 0 at twelve o'clock, clockwise.

// How far beyond its points a pen may paint, in pen widths: an arrow head (the largest end cap)
// two and a half, a mitre join five (it is cut off at ten half widths).
inline constexpr double kEndCapReach = 2.5;
inline constexpr double kMiterReach = 5.0;

// The rectangle shrunk by d on every side; unlike InsetRect of controls, a figure given with its
// edges swapped keeps them so.
inline CRRectF ShrinkFigureRect(const CRRectF& r, double d) {
  return {r.x + d, r.y + d, r.width - 2 * d, r.height - 2 * d};
}

// The part of the ellipse inscribed in rect from start to end (start <= end), as an open arc or
// as a pie closed through the centre. A sector of a whole turn is the full ellipse; an empty
// one (start equal to end) is no figure.
CRPath SectorPath(const CRRectF& rect, double start, double end, bool pie);

// The figure of "Points" nodes. Each node is its point, then the control point of the curve
// that comes in, then that of the curve that goes out. The segment from one node to the next is
// the cubic curve through the first's outgoing and the second's incoming control point; it is a
// straight line when both control points lie on their nodes. A closed figure ends with the
// segment from the last node back to the first. map turns a node coordinate into the figure's.
template <class Map>
CRPath NodesPath(const std::vector<CNPathNode>& nodes, bool closed, Map map) {
  CRPath path;
  if (nodes.empty()) return path;
  path.MoveTo(map(nodes[0].point));
  const size_t count = closed ? nodes.size() + 1 : nodes.size();
  for (size_t i = 1; i < count; ++i) {
    const CNPathNode& from = nodes[i - 1];
    const CNPathNode& to = nodes[i % nodes.size()];
    if (from.out == from.point && to.in == to.point) {
      path.LineTo(map(to.point));
    } else {
      path.CurveTo(map(from.out), map(to.in), map(to.point));
    }
  }
  if (closed) path.Close();
  return path;
}

// The path as polylines, curves replaced by short straight pieces; a closed figure ends with
// its first point again.
std::vector<std::vector<CRPointF>> FlattenPath(const CRPath& path);

// Whether the point is inside the figures by the even-odd rule (the rule polygons are filled by).
bool IsInsideEvenOdd(const std::vector<std::vector<CRPointF>>& figures, CRPointF p);

// The distance from the point to the nearest piece of the figures; infinite without any.
double DistanceToFigures(const std::vector<std::vector<CRPointF>>& figures, CRPointF p);

// The point turned about the centre by degrees, clockwise on the screen (y downwards).
CRPointF RotateAbout(CRPointF p, CRPointF center, double degrees);

// The smallest rectangle holding every point of the path, control points included (which holds
// the curves too). Empty at the origin for an empty path.
CRRectF PathBounds(const CRPath& path);
