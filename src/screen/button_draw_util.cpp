#include "screen/button_draw_util.h"

#include <algorithm>

#include "draw/painter.h"
#include "objects/property_read.h"
#include "screen/border_3d.h"
#include "screen/draw_context.h"
#include "screen/pobject.h"

CRRectF InsetSides(const CRRectF& rect, double left, double top, double right, double bottom) {
  return {rect.x + left, rect.y + top, std::max(0.0, rect.width - left - right),
          std::max(0.0, rect.height - top - bottom)};
}

CRRectF InsetByProperties(const CNObject& object, const CNDrawContext& context, const CRRectF& rect,
                          const std::u16string_view (&names)[4]) {
  const double sx = context.GetScaleX();
  const double sy = context.GetScaleY();
  return InsetSides(rect, PropertyInt(object, names[0]) * sx, PropertyInt(object, names[1]) * sy,
                    PropertyInt(object, names[2]) * sx, PropertyInt(object, names[3]) * sy);
}

bool ResolveTextColor(const CNPObject& object, const CNDrawContext& context, std::u16string_view property,
                      uint32_t& color) {
  if (!PropertyBool(object, u"Enabled", true)) return context.ResolveColor(u"@DisabledTextColor", color);
  return context.ResolveColor(PropertyText(object, property), color);
}

CRBrush FillBrush(const CNObject& object, uint32_t color) {
  CRBrush brush;
  brush.color = color;
  brush.style = static_cast<CRFillStyle>(
      std::clamp(PropertyItem(object, u"FillStyle"), 0, static_cast<int32_t>(CRFillStyle::kDiagonalCross)));
  return brush;
}

void FillRect(CRPainter& painter, const CRRectF& rect, uint32_t color) {
  CRBrush brush;
  brush.color = color;
  painter.FillPath(CRPath::Rectangle(rect), brush);
}

CRTextAlign TextAlignOf(int32_t item) {
  return item == 0 ? CRTextAlign::kNear : item == 2 ? CRTextAlign::kFar : CRTextAlign::kCenter;
}

bool ReadControlText(const CNPObject& object, const CNDrawContext& context, bool on, CNControlText& out) {
  out.text = PropertyText(object, u"Text");
  out.font = PropertyText(object, u"TextFont");
  out.style.text = out.text;
  out.style.font = out.font;
  out.style.lineSpace = PropertyInt(object, u"TextLineSpace");
  return (on && ResolveTextColor(object, context, u"TextColorOn", out.style.color)) ||
         ResolveTextColor(object, context, u"TextColor", out.style.color);
}

CRRectF DrawBoxedFace(const CNObject& object, CNDrawContext& context, const CRRectF& rect, bool filled) {
  uint32_t color = 0;
  if (filled && context.ResolveColor(PropertyText(object, u"FillColor"), color))
    context.GetPainter().FillPath(CRPath::Rectangle(rect), FillBrush(object, color));
  return DrawObjectBorder(object, context, rect, ReadBorderStyle(object, context, CNBorderStyle::kSunk1));
}
