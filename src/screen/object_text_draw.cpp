#include "screen/object_text_draw.h"

#include <cmath>

#include "draw/color.h"
#include "draw/font.h"
#include "screen/draw_context.h"

namespace {

int32_t ScaleSize(int32_t size, double scale) {
  const double scaled = std::round(size * scale);
  // A size that scales to nothing keeps one pixel: the font's 0 means "default", not "none".
  if (scaled == 0.0 && size != 0) return size < 0 ? -1 : 1;
  return static_cast<int32_t>(scaled);
}

}  // namespace

CNTextLayoutCache::CNTextLayoutCache() = default;
CNTextLayoutCache::~CNTextLayoutCache() = default;

const CRTextLayout& CNTextLayoutCache::Get(cairo_t* cr, std::u16string_view text, std::u16string_view font,
                                           int32_t lineSpace, double scale, const CNTextLayoutExtras& extras) {
  if (m_pLayout && text == m_text && font == m_font && lineSpace == m_lineSpace && scale == m_scale &&
      extras == m_extras)
    return *m_pLayout;
  CRFont scaled = CRFont::FromText(font);
  scaled.height = ScaleSize(scaled.height, scale);
  scaled.width = ScaleSize(scaled.width, scale);
  if (extras.underline) scaled.underline = 1;
  m_pLayout = std::make_unique<CRTextLayout>(cr, text, scaled, lineSpace * scale);
  m_pLayout->SetWrapWidth(extras.wrapWidth);
  m_text = text;
  m_font = font;
  m_lineSpace = lineSpace;
  m_scale = scale;
  m_extras = extras;
  return *m_pLayout;
}

void DrawObjectText(CNDrawContext& context, const CRRectF& deviceRect, const CNObjectTextStyle& style,
                    CNTextLayoutCache& cache) {
  if (style.text.empty() || !deviceRect.IsFinite()) return;
  cairo_t* cr = context.GetPainter().GetCairo();
  const CRTextLayout& layout = cache.Get(cr, style.text, style.font, style.lineSpace, context.GetMinScale());

  // The layout centres its block in the rectangle it is given: move that rectangle so that its
  // centre lies where the text's centre should be. Clipping keeps to the object's own rectangle.
  CRRectF place = deviceRect;
  const double centerY = std::isfinite(style.centerY) ? style.centerY : 0.5;
  place.y += deviceRect.height * (centerY - 0.5);
  if (style.alignX == CRTextAlign::kCenter) {
    const double centerX = std::isfinite(style.centerX) ? style.centerX : 0.5;
    place.x += deviceRect.width * (centerX - 0.5);
  }
  CRTextFormat format;
  format.horizontal = style.alignX;
  format.vertical = CRTextAlign::kCenter;
  CRPainterStateSaver saver(context.GetPainter());
  if (style.clip) context.GetPainter().ClipRect(deviceRect);
  layout.Draw(cr, place, format, CRColor::FromColorRef(style.color, style.alpha));
}
