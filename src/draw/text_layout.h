#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include "draw/color.h"
#include "draw/font.h"
#include "draw/geometry.h"

enum class CRTextAlign { kNear, kCenter, kFar };  // left or top, middle, right or bottom

// Where a block of text goes inside its rectangle. Lines break only at line feeds; each line
// is aligned like the block. lineSpacing adds pixels between lines (negative packs them).
struct CRTextFormat {
  CRTextAlign horizontal = CRTextAlign::kNear;
  CRTextAlign vertical = CRTextAlign::kNear;
  double lineSpacing = 0.0;
  bool clip = false;  // cut the text at the rectangle
};

// A text laid out in one font, ready to be measured and drawn. Faces that are not installed
// fall back to the closest one the font configuration offers.
class CRTextLayout {
 public:
  CRTextLayout(cairo_t* cr, std::u16string_view text, const CRFont& font, double lineSpacing);
  CRTextLayout(const CRTextLayout&) = delete;
  CRTextLayout& operator=(const CRTextLayout&) = delete;
  ~CRTextLayout();

  // Breaks the lines at word boundaries (inside a word only when it alone is wider) so that
  // none is wider than pixels; 0 or less: lines break only at the text's line breaks.
  void SetWrapWidth(double pixels);

  // The unrotated block, in pixels.
  CRSizeF GetSize() const;
  // The block is placed in rect as the format says, then turned by the font's escapement
  // about the rectangle's centre.
  void Draw(cairo_t* cr, const CRRectF& rect, const CRTextFormat& format, const CRColor& color) const;

  // Where things stand once the block is drawn into rect as the format says (the escapement not
  // applied); offsets count UTF-16 code units of the text. The caret before an offset: its x,
  // the top and the height of its line, width 0.
  CRRectF GetCaretRect(size_t offset, const CRRectF& rect, const CRTextFormat& format) const;
  // The pieces of the lines between two offsets, one per line they touch: a selection.
  std::vector<CRRectF> GetRangeRects(size_t start, size_t end, const CRRectF& rect,
                                     const CRTextFormat& format) const;

 private:
  // The top-left corner of the block drawn into rect; sets the lines' alignment.
  CRPointF PlaceBlock(const CRRectF& rect, const CRTextFormat& format) const;
  // The byte index in the layout's text of a UTF-16 offset (its end beyond the text).
  int ByteIndex(size_t offset) const;

  PangoLayout* m_pLayout;
  double m_dStretch = 1.0;  // horizontal scale that gives the font's character width
  double m_dEscapementDegrees = 0.0;
};
