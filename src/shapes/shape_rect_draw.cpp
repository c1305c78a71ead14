// The shapes placed by their rectangle: rectangle, ellipse, pie and arc.
#include <algorithm>

#include "screen/draw_context.h"
#include "shapes/shape_geometry.h"
#include "shapes/shapes.h"

CRPath CNPRect::FigureInRect(const CRRectF& rect, double scale, double inset) const {
  const double radius = ShapeInt(CNShapeProp::kBorderRound) * scale - inset;
  return radius > 0.0 ? CRPath::RoundedRectangle(ShrinkFigureRect(rect, inset), radius)
                      : CRPath::Rectangle(ShrinkFigureRect(rect, inset));
}

void CNPRect::OnDraw(CNDrawContext& context) {
  const CRRectF rect = context.ToDevice(GetRect());
  ApplyRotation(context);
  PaintRectFigure(context, rect, ShapeInt(CNShapeProp::kBorderRound) > 0);
  PaintText(context, rect);
}

CRPath CNPEllipse::FigureInRect(const CRRectF& rect, double /*scale*/, double inset) const {
  return CRPath::Ellipse(ShrinkFigureRect(rect, inset));
}

void CNPEllipse::OnDraw(CNDrawContext& context) {
  const CRRectF rect = context.ToDevice(GetRect());
  ApplyRotation(context);
  PaintRectFigure(context, rect, false);
  PaintText(context, rect);
}

CRPath CNPPie::FigureInRect(const CRRectF& rect, double /*scale*/, double inset) const {
  int32_t start = 0, end = 0;
  GetSectorAngles(start, end);
  return SectorPath(ShrinkFigureRect(rect, inset), start, end, true);
}

void CNPPie::OnDraw(CNDrawContext& context) {
  const CRRectF rect = context.ToDevice(GetRect());
  ApplyRotation(context);
  PaintRectFigure(context, rect, false);
}

CRPath CNPArc::FigureInRect(const CRRectF& rect, double /*scale*/, double inset) const {
  int32_t start = 0, end = 0;
  GetSectorAngles(start, end);
  return SectorPath(ShrinkFigureRect(rect, inset), start, end, false);
}

void CNPArc::OnDraw(CNDrawContext& context) {
  CRPen pen;
  if (!MakeLinePen(context, pen)) return;
  const CRRectF rect = context.ToDevice(GetRect());
  ApplyRotation(context);
  // On the ellipse's inner side, like a border.
  const double half = std::min({pen.width, rect.width, rect.height}) * 0.5;
  if (half > 0.0) context.GetPainter().StrokePath(FigureInRect(rect, 1.0, half), pen, UsesAntialias(false));
}
