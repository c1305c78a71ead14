#include "screen/border_3d.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "draw/painter.h"
#include "objects/property_read.h"
#include "screen/button_draw_util.h"
#include "screen/draw_context.h"
#include "values/enum_value.h"

namespace {

constexpr std::u16string_view kStyleItems =
    u"FLAT,3D_FRAME,3D_RAISE1,3D_SUNK1,3D_RAISE2,3D_SUNK2,TABTOP,TABBOTTOM";

// The rings of a style from the outside in: true for a raised ring (light at the top and left),
// false for a sunk one.
std::vector<bool> RingsOf(CNBorderStyle style) {
  switch (style) {
    case CNBorderStyle::kRaise1:
      return {true};
    case CNBorderStyle::kSunk1:
      return {false};
    case CNBorderStyle::kRaise2:
      return {true, true};
    case CNBorderStyle::kSunk2:
      return {false, false};
    case CNBorderStyle::kFrame:
      return {false, true};
    default:
      return {};
  }
}

void FillPolygon(CRPainter& painter, const std::vector<CRPointF>& points, uint32_t color) {
  CRBrush brush;
  brush.color = color;
  painter.FillPath(CRPath::Polygon(points), brush);
}

// The top and left sides of a ring w wide on the edge of r take the first colour, the bottom and
// right sides (with the two corners they share with the others) the second.
void DrawRing(CRPainter& painter, const CRRectF& r, double w, uint32_t topLeft, uint32_t bottomRight) {
  if (r.width < w || r.height < w) return;
  const double x0 = r.x, y0 = r.y, x1 = r.Right(), y1 = r.Bottom();
  FillPolygon(painter,
              {{x0, y0}, {x1 - w, y0}, {x1 - w, y0 + w}, {x0 + w, y0 + w}, {x0 + w, y1 - w}, {x0, y1 - w}},
              topLeft);
  FillPolygon(painter, {{x1, y0}, {x1, y1}, {x0, y1}, {x0, y1 - w}, {x1 - w, y1 - w}, {x1 - w, y0}},
              bottomRight);
}

// A tab's light left side, its top (or bottom) and its shadow right side; the tabs that are not
// selected get the strip's edge across their foot. Returns the inside of the tab.
CRRectF DrawTab(CRPainter& painter, const CRRectF& rect, bool top, bool selected, uint32_t light,
                uint32_t shadow, double w) {
  const CRRectF tab = TabBody(rect, top ? CNBorderStyle::kTabTop : CNBorderStyle::kTabBottom, selected, w);
  if (tab.width < 2 * w || tab.height < 2 * w) return InsetRect(tab, w);
  FillRect(painter, {tab.x, tab.y, w, tab.height}, light);
  if (top)
    FillRect(painter, {tab.x, tab.y, tab.width - w, w}, light);
  else
    FillRect(painter, {tab.x, tab.Bottom() - w, tab.width, w}, shadow);
  FillRect(painter, {tab.Right() - w, tab.y, w, tab.height}, shadow);
  if (!selected) {
    // The strip's top edge is lit, its bottom edge in shadow, as a raised panel's are.
    if (top)
      FillRect(painter, {rect.x, rect.Bottom() - w, rect.width, w}, light);
    else
      FillRect(painter, {rect.x, rect.y, rect.width, w}, shadow);
  }
  CRRectF inside = InsetRect(tab, w);
  // The open side has no frame.
  if (selected) {
    if (top)
      inside.height += w;
    else {
      inside.y -= w;
      inside.height += w;
    }
  }
  return inside;
}

std::optional<uint32_t> ReadColor(const CNObject& object, const CNDrawContext& context,
                                  std::u16string_view name) {
  uint32_t color = 0;
  if (!context.ResolveColor(PropertyText(object, name), color)) return std::nullopt;
  return color;
}

}  // namespace

bool ParseBorderStyle(std::u16string_view item, CNBorderStyle& style) {
  const int32_t index = CNEnum::ItemIndex(kStyleItems, item);
  if (index < 0) return false;
  style = static_cast<CNBorderStyle>(index);
  return true;
}

CNBorderStyle ReadBorderStyle(const CNObject& object, const CNDrawContext& context, CNBorderStyle fallback) {
  std::u16string item;
  CNBorderStyle style = fallback;
  if (context.ResolveBorderStyle(PropertyText(object, u"BorderStyle"), item)) ParseBorderStyle(item, style);
  return style;
}

double BevelRingWidth(const CNDrawContext& context) {
  return std::max(1.0, std::round(context.GetMinScale()));
}

double BevelWidth(CNBorderStyle style, double ringWidth) {
  return static_cast<double>(RingsOf(style).size()) * ringWidth;
}

void DrawBevel(CRPainter& painter, const CRRectF& rect, CNBorderStyle style, uint32_t light, uint32_t shadow,
               double ringWidth, bool pushed) {
  if (!rect.IsFinite()) return;
  if (pushed) std::swap(light, shadow);
  CRRectF ring = rect;
  for (const bool raised : RingsOf(style)) {
    DrawRing(painter, ring, ringWidth, raised ? light : shadow, raised ? shadow : light);
    ring = InsetRect(ring, ringWidth);
  }
}

CRRectF TabBody(const CRRectF& rect, CNBorderStyle style, bool selected, double ringWidth) {
  const bool tab = style == CNBorderStyle::kTabTop || style == CNBorderStyle::kTabBottom;
  if (!tab || selected) return rect;
  const double lift = std::min(2 * ringWidth, rect.height);
  return {rect.x, style == CNBorderStyle::kTabTop ? rect.y + lift : rect.y, rect.width, rect.height - lift};
}

CRRectF DrawObjectBorder(const CNObject& object, CNDrawContext& context, const CRRectF& rect,
                         CNBorderStyle style, bool pushed, double radius) {
  if (!PropertyBool(object, u"Border", true)) return rect;
  CRPainter& painter = context.GetPainter();
  if (style == CNBorderStyle::kFlat) {
    CRPen pen;
    const std::optional<uint32_t> color = ReadColor(object, context, u"BorderColor");
    pen.width = std::max(1.0, PropertyInt(object, u"BorderWidth", 1) * context.GetMinScale());
    if (!color) return InsetRect(rect, pen.width);
    pen.color = *color;
    pen.style = static_cast<CRLineStyle>(std::clamp(PropertyItem(object, u"BorderLine"), 0, 4));
    // The pen is centred on its path: half a width inside the edge keeps all of it inside.
    const CRRectF line = InsetRect(rect, pen.width * 0.5);
    if (line.width > 0 && line.height > 0)
      painter.StrokePath(radius > 0 ? CRPath::RoundedRectangle(line, radius) : CRPath::Rectangle(line), pen,
                         radius > 0);
    return InsetRect(rect, pen.width);
  }
  const double ringWidth = BevelRingWidth(context);
  const std::optional<uint32_t> light = ReadColor(object, context, u"Border3DLight");
  const std::optional<uint32_t> shadow = ReadColor(object, context, u"Border3DShadow");
  if (style == CNBorderStyle::kTabTop || style == CNBorderStyle::kTabBottom) {
    if (!light || !shadow) return InsetRect(TabBody(rect, style, pushed, ringWidth), ringWidth);
    return DrawTab(painter, rect, style == CNBorderStyle::kTabTop, pushed, *light, *shadow, ringWidth);
  }
  if (light && shadow) DrawBevel(painter, rect, style, *light, *shadow, ringWidth, pushed);
  return InsetRect(rect, BevelWidth(style, ringWidth));
}
