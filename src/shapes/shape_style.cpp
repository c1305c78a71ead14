// The drawing steps every shape and meter shares: pens and brushes from the shape's
// properties, the turn by "Angle", fill and border of figures placed by their rectangle, text.
#include <algorithm>
#include <cmath>

#include "screen/draw_context.h"
#include "screen/state_color.h"
#include "shapes/meter_geometry.h"
#include "shapes/shape_2d.h"
#include "shapes/shape_geometry.h"

namespace {

constexpr CNStateColorNames kFillColors{u"FillColor", u"FillColorHover", u"FillColorPush"};
constexpr CNStateColorNames kLineColors{u"LineColor", u"LineColorHover", u"LineColorPush"};
constexpr int32_t kSameEndcap = 8;  // "DEFAULT" among the "LineEndcap2" items

// A pen width of whole form units times the scale; never thinner than one pixel.
double ScaledWidth(int32_t width, double scale) {
  return std::max(1.0, width * scale);
}

}  // namespace

double CNP2DShape::GetAngle() const {
  const double angle = ShapeNumber(CNShapeProp::kAngle, 0.0);
  return std::isfinite(angle) ? angle : 0.0;
}

void CNP2DShape::GetSectorAngles(int32_t& start, int32_t& end) const {
  start = ShapeInt(CNShapeProp::kStartAngle);
  end = ShapeInt(CNShapeProp::kEndAngle);
  NormalizeSectorAngles(start, end);
}

CRPointF CNP2DShape::GetRotationCenter() const {
  const CNRect r = GetRect();
  const CNValue* x = ShapeValue(CNShapeProp::kRotateX);
  const CNValue* y = ShapeValue(CNShapeProp::kRotateY);
  if (x && y && !x->IsEmpty() && !y->IsEmpty())
    return {static_cast<double>(ShapeInt(CNShapeProp::kRotateX)),
            static_cast<double>(ShapeInt(CNShapeProp::kRotateY))};
  return {std::trunc(r.left + r.Width() * 0.5), std::trunc(r.top + r.Height() * 0.5)};
}

void CNP2DShape::ApplyRotation(const CNDrawContext& context) const {
  const double angle = GetAngle();
  if (angle == 0.0) return;
  const CRPointF center = GetRotationCenter();
  context.GetPainter().Rotate(angle, context.ToDevice(center.x, center.y));
}

bool CNP2DShape::MakeFillBrush(const CNDrawContext& context, CRBrush& brush) const {
  if (!ShapeBool(CNShapeProp::kFill, true)) return false;
  if (!ChooseStateColor(*this, context, kFillColors, brush.color)) return false;
  brush.style = ShapeEnum(CNShapeProp::kFillStyle, CRFillStyle::kSolid, CRFillStyle::kGradientCenter2);
  uint32_t back = 0;
  if (context.ResolveColor(ShapeText(CNShapeProp::kFillColorBack), back)) brush.backColor = back;
  brush.alpha = GetAlpha();
  return true;
}

bool CNP2DShape::MakeBorderPen(const CNDrawContext& context, CRPen& pen) const {
  if (!ShapeBool(CNShapeProp::kBorder, true)) return false;
  if (!context.ResolveColor(ShapeText(CNShapeProp::kBorderColor), pen.color)) return false;
  pen.width = ScaledWidth(ShapeInt(CNShapeProp::kBorderWidth, 1), context.GetMinScale());
  pen.style = ShapeEnum(CNShapeProp::kBorderLine, CRLineStyle::kSolid, CRLineStyle::kDashDotDot);
  pen.join = ShapeEnum(CNShapeProp::kBorderJoin, CRLineJoin::kMiter, CRLineJoin::kBevel);
  pen.alpha = GetAlpha();
  return true;
}

bool CNP2DShape::MakeLinePen(const CNDrawContext& context, CRPen& pen) const {
  if (!ChooseStateColor(*this, context, kLineColors, pen.color)) return false;
  pen.width = ScaledWidth(ShapeInt(CNShapeProp::kLineWidth, 1), context.GetMinScale());
  pen.style = ShapeEnum(CNShapeProp::kLineStyle, CRLineStyle::kSolid, CRLineStyle::kDashDotDot);
  pen.join = ShapeEnum(CNShapeProp::kLineJoin, CRLineJoin::kMiter, CRLineJoin::kBevel);
  pen.startCap = ShapeEnum(CNShapeProp::kLineEndcap, CREndCap::kFlat, CREndCap::kArrowAnchor);
  const bool sameCap = ShapeItem(CNShapeProp::kLineEndcap2, kSameEndcap) == kSameEndcap;
  pen.endCap =
      sameCap ? pen.startCap : ShapeEnum(CNShapeProp::kLineEndcap2, CREndCap::kFlat, CREndCap::kArrowAnchor);
  pen.alpha = GetAlpha();
  return true;
}

double CNP2DShape::FormPenWidth(CNShapeProp widthProp) const {
  return std::max(1, ShapeInt(widthProp, 1));
}

double CNP2DShape::FormBorderWidth() const {
  return ShapeBool(CNShapeProp::kBorder, true) ? FormPenWidth(CNShapeProp::kBorderWidth) : 0.0;
}

void CNP2DShape::PaintRectFill(CNDrawContext& context, const CRRectF& rect, bool roundedCorners) {
  CRBrush brush;
  if (MakeFillBrush(context, brush))
    context.GetPainter().FillPath(FigureInRect(rect, context.GetMinScale(), 0.0), brush,
                                  UsesAntialias(roundedCorners));
}

void CNP2DShape::PaintRectBorder(CNDrawContext& context, const CRRectF& rect, bool roundedCorners) {
  CRPen pen;
  if (!MakeBorderPen(context, pen)) return;
  // The border's outer edge on the rectangle's edge; a border wider than the figure covers it.
  const double half = std::min({pen.width, rect.width, rect.height}) * 0.5;
  pen.width = half * 2;
  if (half > 0.0)
    context.GetPainter().StrokePath(FigureInRect(rect, context.GetMinScale(), half), pen,
                                    UsesAntialias(roundedCorners));
}

void CNP2DShape::PaintText(CNDrawContext& context, const CRRectF& rect) {
  CNObjectTextStyle style;
  style.text = ShapeText(CNShapeProp::kText);
  if (style.text.empty() || !context.ResolveColor(ShapeText(CNShapeProp::kTextColor), style.color)) return;
  style.font = ShapeText(CNShapeProp::kTextFont);
  style.alpha = GetAlpha();
  style.lineSpace = ShapeInt(CNShapeProp::kTextLineSpace);
  style.centerX = ShapeNumber(CNShapeProp::kTextCenterX, 0.5);
  style.centerY = ShapeNumber(CNShapeProp::kTextCenterY, 0.5);
  style.clip = ShapeBool(CNShapeProp::kTextClip, false);
  DrawObjectText(context, rect, style, m_textCache);
}
