// The meters: a shape filled in part, in proportion to "Value" between "Min" and "Max".
#include "screen/draw_context.h"
#include "shapes/meters.h"
#include "shapes/shape_geometry.h"

// ---- shared steps

CNMeterRange CNP2DShape::GetMeterRange() const {
  CNMeterRange range;
  range.value = ShapeNumber(CNShapeProp::kValue, 0.0);
  range.min = ShapeNumber(CNShapeProp::kMin, 0.0);
  range.max = ShapeNumber(CNShapeProp::kMax, 100.0);
  range.center = ShapeBool(CNShapeProp::kCenter, false);
  range.centerValue = ShapeNumber(CNShapeProp::kCenterValue, 0.0);
  return range;
}

bool CNP2DShape::MakeMeterBrush(const CNDrawContext& context, CRBrush& brush) const {
  if (!context.ResolveColor(ShapeText(CNShapeProp::kMeterFillColor), brush.color)) return false;
  brush.style = ShapeEnum(CNShapeProp::kMeterFillStyle, CRFillStyle::kSolid, CRFillStyle::kDiagonalCross);
  brush.alpha = GetAlpha();
  return true;
}

CNMeterBand CNP2DShape::PaintMeterBand(CNDrawContext& context, const CRRectF& meterRect,
                                       const CRPath& figure) {
  const auto direction = ShapeEnum(CNShapeProp::kMeterFillDirection, CNMeterDirection::kBottomToTop,
                                   CNMeterDirection::kRightToLeft);
  const CNMeterBand band = RectMeterBand(meterRect, direction, GetMeterRange());
  CRBrush brush;
  if (band.IsEmpty() || !MakeMeterBrush(context, brush)) return band;
  CRPainter& painter = context.GetPainter();
  CRPainterStateSaver saver(painter);
  painter.ClipRect(band.Area(meterRect));
  painter.FillPath(figure, brush);
  return band;
}

void CNP2DShape::PaintBandMeter(CNDrawContext& context) {
  const CRRectF rect = context.ToDevice(GetRect());
  PaintRectFill(context, rect, false);
  const CNMeterBand band = PaintMeterBand(context, rect, FigureInRect(rect, context.GetMinScale(), 0.0));
  CRPen centerLine;
  if (ShapeBool(CNShapeProp::kCenterLine, false) &&
      context.ResolveColor(ShapeText(CNShapeProp::kCenterLineColor), centerLine.color)) {
    // One pixel wide, on the pixels of the band's base.
    const double at = band.p0 + 0.5;
    centerLine.alpha = GetAlpha();
    context.GetPainter().StrokePath(band.vertical ? CRPath::Polyline({{rect.x, at}, {rect.Right(), at}})
                                                  : CRPath::Polyline({{at, rect.y}, {at, rect.Bottom()}}),
                                    centerLine);
  }
  PaintRectBorder(context, rect, false);
  PaintText(context, rect);
}

// ---- the four meters

void CNPRectMeter::OnDraw(CNDrawContext& context) {
  PaintBandMeter(context);
}

CRPath CNPEllipseMeter::FigureInRect(const CRRectF& rect, double /*scale*/, double inset) const {
  return CRPath::Ellipse(ShrinkFigureRect(rect, inset));
}

void CNPEllipseMeter::OnDraw(CNDrawContext& context) {
  PaintBandMeter(context);
}

CRPath CNPPieMeter::FigureInRect(const CRRectF& rect, double /*scale*/, double inset) const {
  int32_t start = 0, end = 0;
  GetSectorAngles(start, end);
  return SectorPath(ShrinkFigureRect(rect, inset), start, end, true);
}

void CNPPieMeter::OnDraw(CNDrawContext& context) {
  const CRRectF rect = context.ToDevice(GetRect());
  const CNMeterRange range = GetMeterRange();
  const CNPieMeterAngles angles =
      PieMeterAngles(ShapeInt(CNShapeProp::kStartAngle), ShapeInt(CNShapeProp::kEndAngle), range.value,
                     range.min, range.max);
  CRPainter& painter = context.GetPainter();
  CRBrush brush;
  if (MakeFillBrush(context, brush)) painter.FillPath(PieMeterSector(rect, angles.a, angles.end), brush);
  if (MakeMeterBrush(context, brush)) painter.FillPath(PieMeterSector(rect, angles.start, angles.a), brush);
  PaintRectBorder(context, rect, false);
  PaintText(context, rect);
}

CRPath CNPPolygonMeter::GetFormFigure() const {
  return PointsFigure(true);
}

double CNPPolygonMeter::GetPenReach() const {
  return PointsPenReach(CNShapeProp::kBorderJoin, false);
}

void CNPPolygonMeter::OnDraw(CNDrawContext& context) {
  if (GetPoints().empty()) return;
  const CRPath figure = DevicePointsFigure(context, true, false);
  // The band runs over the figure's bounds (nodes and control points).
  const CRRectF bounds = PathBounds(figure);
  CRPainter& painter = context.GetPainter();
  CRBrush brush;
  if (MakeFillBrush(context, brush)) painter.FillPath(figure, brush);
  PaintMeterBand(context, bounds, figure);
  CRPen pen;
  if (MakeBorderPen(context, pen)) painter.StrokePath(DevicePointsFigure(context, true, true), pen);
  PaintText(context, bounds);
}
