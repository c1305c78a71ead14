// The shapes placed by points: line, polygon and polyline. Their pens are centred on the pixels
// of the points (half a pixel in from the pixel's edge); fills run along the points' edges.
#include "screen/draw_context.h"
#include "shapes/shape_geometry.h"
#include "shapes/shapes.h"

CRPath CNPLine::GetFormFigure() const {
  CRPath path;
  const CNValue* x1 = ShapeValue(CNShapeProp::kX1);
  if (!x1 || x1->IsEmpty()) {
    const CNRect r = GetRect();
    path.MoveTo({static_cast<double>(r.left), static_cast<double>(r.top)});
    path.LineTo({static_cast<double>(r.right), static_cast<double>(r.bottom)});
    return path;
  }
  path.MoveTo(
      {static_cast<double>(ShapeInt(CNShapeProp::kX1)), static_cast<double>(ShapeInt(CNShapeProp::kY1))});
  path.LineTo(
      {static_cast<double>(ShapeInt(CNShapeProp::kX2)), static_cast<double>(ShapeInt(CNShapeProp::kY2))});
  return path;
}

double CNPLine::GetPenReach() const {
  return GetFormPenWidth() * kEndCapReach;
}

void CNPLine::OnDraw(CNDrawContext& context) {
  CRPen pen;
  if (!MakeLinePen(context, pen)) return;
  CRPath device;
  const CRPath figure = GetFormFigure();
  for (const CRPath::Segment& s : figure.GetSegments()) {
    const CRPointF d = context.ToDevice(s.points[0].x, s.points[0].y);
    const CRPointF middle{d.x + 0.5, d.y + 0.5};
    s.verb == CRPath::Verb::kMove ? device.MoveTo(middle) : device.LineTo(middle);
  }
  context.GetPainter().StrokePath(device, pen, UsesAntialias(false));
}

CRPath CNPPoly::GetFormFigure() const {
  return PointsFigure(!IsOpenFigure());
}

double CNPPoly::GetPenReach() const {
  return IsOpenFigure() ? PointsPenReach(CNShapeProp::kLineJoin, true)
                        : PointsPenReach(CNShapeProp::kBorderJoin, false);
}

void CNPPoly::OnDraw(CNDrawContext& context) {
  if (GetPoints().empty()) return;
  ApplyRotation(context);
  CRPainter& painter = context.GetPainter();
  const bool antialias = UsesAntialias(false);
  const bool closed = !IsOpenFigure();
  CRBrush brush;
  if (closed && MakeFillBrush(context, brush))
    painter.FillPath(DevicePointsFigure(context, true, false), brush, antialias);
  CRPen pen;
  if (closed ? MakeBorderPen(context, pen) : MakeLinePen(context, pen))
    painter.StrokePath(DevicePointsFigure(context, closed, true), pen, antialias);
}
