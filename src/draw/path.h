#pragma once

#include <vector>

#include "draw/geometry.h"

// An open end of a figure and the direction pointing away from the figure there (unit length).
struct CRPathEnd {
  CRPointF point;
  CRPointF outward;
};

// A figure list of straight and cubic segments, built from the shapes the panel draws. A
// coordinate that is not a finite number makes the whole path empty, so that bad geometry
// draws nothing rather than something wrong.
class CRPath {
 public:
  enum class Verb { kMove, kLine, kCurve, kClose };
  struct Segment {
    Verb verb;
    CRPointF points[3];  // kMove, kLine: points[0]; kCurve: two control points, then the end
  };

  static CRPath Rectangle(const CRRectF& rect);
  // Corners are quarter ellipses of the radius, at most half the width or height.
  static CRPath RoundedRectangle(const CRRectF& rect, double radius);
  static CRPath Ellipse(const CRRectF& rect);
  static CRPath Polygon(const std::vector<CRPointF>& points);
  static CRPath Polyline(const std::vector<CRPointF>& points);
  // Part of the ellipse inside rect. Angles are degrees from three o'clock, clockwise on the
  // screen, measured before the circle is stretched to the ellipse; the sweep is cut to one
  // turn either way.
  static CRPath Arc(const CRRectF& rect, double startDegrees, double sweepDegrees);
  // The arc closed through the centre.
  static CRPath Pie(const CRRectF& rect, double startDegrees, double sweepDegrees);

  // Makes room for count more segments.
  void Reserve(size_t count) { m_segments.reserve(m_segments.size() + count); }
  void MoveTo(CRPointF point);
  void LineTo(CRPointF point);
  void CurveTo(CRPointF control1, CRPointF control2, CRPointF end);
  void Close();

  bool IsEmpty() const { return m_segments.empty(); }
  const std::vector<Segment>& GetSegments() const { return m_segments; }
  // Both ends of every figure that is not closed, where end caps go.
  std::vector<CRPathEnd> OpenEnds() const;

 private:
  void Add(Segment segment);
  void AddEllipticArc(CRPointF center, double rx, double ry, double startRadians, double sweepRadians,
                      bool connect);

  std::vector<Segment> m_segments;
  bool m_bBroken = false;
};
