#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <string_view>

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

  // The unrotated block, in pixels.
  CRSizeF GetSize() const;
  // The block is placed in rect as the format says, then turned by the font's escapement
  // about the rectangle's centre.
  void Draw(cairo_t* cr, const CRRectF& rect, const CRTextFormat& format, const CRColor& color) const;

 private:
  PangoLayout* m_pLayout;
  double m_dStretch = 1.0;  // horizontal scale that gives the font's character width
  double m_dEscapementDegrees = 0.0;
};
