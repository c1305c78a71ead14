#include "draw/text_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "support/utf16_text.h"

namespace {

constexpr double kReferencePixels = 100.0;

struct FontMetrics {
  double cellHeight;  // ascent plus descent
  double charWidth;   // average character width
};

FontMetrics MeasureFont(PangoContext* context, PangoFontDescription* description, double pixels) {
  pango_font_description_set_absolute_size(description, pixels * PANGO_SCALE);
  FontMetrics result{pixels, pixels * 0.5};
  PangoFont* font = pango_context_load_font(context, description);
  if (font == nullptr) return result;
  PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
  const int cell = pango_font_metrics_get_ascent(metrics) + pango_font_metrics_get_descent(metrics);
  const int width = pango_font_metrics_get_approximate_char_width(metrics);
  if (cell > 0) result.cellHeight = static_cast<double>(cell) / PANGO_SCALE;
  if (width > 0) result.charWidth = static_cast<double>(width) / PANGO_SCALE;
  pango_font_metrics_unref(metrics);
  g_object_unref(font);
  return result;
}

void AddAttribute(PangoAttrList* list, PangoAttribute* attribute) {
  pango_attr_list_insert(list, attribute);
}

double Place(CRTextAlign align, double start, double room, double size) {
  switch (align) {
    case CRTextAlign::kNear:
      return start;
    case CRTextAlign::kCenter:
      return start + (room - size) * 0.5;
    case CRTextAlign::kFar:
      return start + room - size;
  }
  return start;
}

PangoAlignment LineAlignment(CRTextAlign align) {
  return align == CRTextAlign::kCenter ? PANGO_ALIGN_CENTER
         : align == CRTextAlign::kFar  ? PANGO_ALIGN_RIGHT
                                       : PANGO_ALIGN_LEFT;
}

}  // namespace

CRTextLayout::CRTextLayout(cairo_t* cr, std::u16string_view text, const CRFont& font, double lineSpacing)
    : m_pLayout(pango_cairo_create_layout(cr)), m_dEscapementDegrees(font.escapement / 10.0) {
  PangoFontDescription* description = pango_font_description_new();
  const std::string face = Utf16ToUtf8(font.face);
  pango_font_description_set_family(description, face.c_str());
  pango_font_description_set_weight(description, static_cast<PangoWeight>(font.weight));
  pango_font_description_set_style(description, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

  PangoContext* context = pango_layout_get_context(m_pLayout);
  double pixels = std::abs(static_cast<double>(font.height));
  if (font.height > 0) {
    // A positive height is the cell height: scale the em size until the cell fits.
    pixels *= kReferencePixels / MeasureFont(context, description, kReferencePixels).cellHeight;
  }
  const FontMetrics metrics = MeasureFont(context, description, pixels);
  if (font.width > 0) m_dStretch = font.width / metrics.charWidth;
  pango_layout_set_font_description(m_pLayout, description);
  pango_font_description_free(description);

  PangoAttrList* attributes = pango_attr_list_new();
  if (font.underline) AddAttribute(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (font.strikeOut) AddAttribute(attributes, pango_attr_strikethrough_new(TRUE));
  pango_layout_set_attributes(m_pLayout, attributes);
  pango_attr_list_unref(attributes);

  if (std::isfinite(lineSpacing))
    pango_layout_set_spacing(m_pLayout, static_cast<int>(lineSpacing * PANGO_SCALE));
  const std::string utf8 = Utf16ToUtf8(text);
  pango_layout_set_text(m_pLayout, utf8.data(), static_cast<int>(utf8.size()));
}

CRTextLayout::~CRTextLayout() {
  g_object_unref(m_pLayout);
}

void CRTextLayout::SetWrapWidth(double pixels) {
  if (!(pixels > 0.0) || !std::isfinite(pixels)) {
    pango_layout_set_width(m_pLayout, -1);
    return;
  }
  // The layout is drawn stretched to the font's character width: break before the stretch.
  const double width = std::min(pixels / m_dStretch * PANGO_SCALE, static_cast<double>(INT32_MAX));
  pango_layout_set_wrap(m_pLayout, PANGO_WRAP_WORD_CHAR);
  pango_layout_set_width(m_pLayout, static_cast<int>(width));
}

CRSizeF CRTextLayout::GetSize() const {
  PangoRectangle logical;
  pango_layout_get_extents(m_pLayout, nullptr, &logical);
  return {logical.width * m_dStretch / PANGO_SCALE, static_cast<double>(logical.height) / PANGO_SCALE};
}

void CRTextLayout::Draw(cairo_t* cr, const CRRectF& rect, const CRTextFormat& format,
                        const CRColor& color) const {
  if (!rect.IsFinite()) return;
  // The alignment is set first: the extents of a wrapped layout depend on it.
  const auto [x, y] = PlaceBlock(rect, format);
  PangoRectangle logical;
  pango_layout_get_extents(m_pLayout, nullptr, &logical);
  const CRPointF center = rect.Center();

  cairo_save(cr);
  if (format.clip) {
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
  }
  cairo_translate(cr, center.x, center.y);
  cairo_rotate(cr, -DegreesToRadians(m_dEscapementDegrees));
  cairo_translate(cr, x - center.x, y - center.y);
  cairo_scale(cr, m_dStretch, 1.0);
  cairo_move_to(cr, -static_cast<double>(logical.x) / PANGO_SCALE,
                -static_cast<double>(logical.y) / PANGO_SCALE);
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
  pango_cairo_show_layout(cr, m_pLayout);
  cairo_restore(cr);
}

CRPointF CRTextLayout::PlaceBlock(const CRRectF& rect, const CRTextFormat& format) const {
  pango_layout_set_alignment(m_pLayout, LineAlignment(format.horizontal));
  const CRSizeF size = GetSize();
  return {Place(format.horizontal, rect.x, rect.width, size.width),
          Place(format.vertical, rect.y, rect.height, size.height)};
}

int CRTextLayout::ByteIndex(size_t offset) const {
  const char* text = pango_layout_get_text(m_pLayout);
  const char* at = text;
  for (size_t units = 0; units < offset && *at != '\0';) {
    const gunichar c = g_utf8_get_char(at);
    units += c >= 0x10000 ? 2 : 1;
    at = g_utf8_next_char(at);
  }
  return static_cast<int>(at - text);
}

CRRectF CRTextLayout::GetCaretRect(size_t offset, const CRRectF& rect, const CRTextFormat& format) const {
  const CRPointF origin = PlaceBlock(rect, format);
  PangoRectangle logical;
  pango_layout_get_extents(m_pLayout, nullptr, &logical);
  PangoRectangle caret;
  pango_layout_get_cursor_pos(m_pLayout, ByteIndex(offset), &caret, nullptr);
  return {origin.x + static_cast<double>(caret.x - logical.x) / PANGO_SCALE * m_dStretch,
          origin.y + static_cast<double>(caret.y - logical.y) / PANGO_SCALE, 0.0,
          static_cast<double>(caret.height) / PANGO_SCALE};
}

std::vector<CRRectF> CRTextLayout::GetRangeRects(size_t start, size_t end, const CRRectF& rect,
                                                 const CRTextFormat& format) const {
  std::vector<CRRectF> pieces;
  const int first = ByteIndex(start);
  const int last = ByteIndex(end);
  if (first >= last) return pieces;
  const CRPointF origin = PlaceBlock(rect, format);
  PangoRectangle logical;
  pango_layout_get_extents(m_pLayout, nullptr, &logical);
  PangoLayoutIter* iter = pango_layout_get_iter(m_pLayout);
  do {
    PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    const int lineEnd = line->start_index + line->length;
    // A selection that runs past the line's end takes its break too.
    if (line->start_index > last || lineEnd < first) continue;
    int* ranges = nullptr;
    int count = 0;
    pango_layout_line_get_x_ranges(line, std::max(first, line->start_index), std::min(last, lineEnd), &ranges,
                                   &count);
    int top = 0, bottom = 0;
    pango_layout_iter_get_line_yrange(iter, &top, &bottom);
    for (int i = 0; i < count; ++i) {
      const double x0 = static_cast<double>(ranges[2 * i] - logical.x) / PANGO_SCALE * m_dStretch;
      const double x1 = static_cast<double>(ranges[2 * i + 1] - logical.x) / PANGO_SCALE * m_dStretch;
      if (x1 > x0)
        pieces.push_back({origin.x + x0, origin.y + static_cast<double>(top - logical.y) / PANGO_SCALE, x1 - x0,
                          static_cast<double>(bottom - top) / PANGO_SCALE});
    }
    g_free(ranges);
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  return pieces;
}
