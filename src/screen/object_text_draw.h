#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "draw/geometry.h"
#include "draw/text_layout.h"

class CNDrawContext;

// How a drawn object shows its "Text": the property values it was read from, the colour
// already resolved.
struct CNObjectTextStyle {
  std::u16string_view text;
  std::u16string_view font;  // a font text ("TextFont")
  uint32_t color = 0;        // colour number, red in the low byte
  double alpha = 1.0;        // the object's "Alpha"
  int32_t lineSpace = 0;     // "TextLineSpace": pixels added between lines, before scaling
  // Horizontal placement. kCenter: the block's centre lies at centerX of the width and its
  // lines are centred; kNear and kFar: the block and its lines keep to the left or right edge.
  CRTextAlign alignX = CRTextAlign::kCenter;
  double centerX = 0.5;  // "TextCenterX": a share of the width
  double centerY = 0.5;  // "TextCenterY": where the block's middle lies, a share of the height
  bool clip = false;     // "TextClip": cut the text at the rectangle
};

// What a layout adds to the font text it is made from.
struct CNTextLayoutExtras {
  double wrapWidth = 0.0;  // surface pixels the lines are broken to; 0: only at line breaks
  bool underline = false;  // underlined whatever the font text says
  bool operator==(const CNTextLayoutExtras&) const = default;
};

// Keeps the laid-out text of one object between paints: laying text out loads fonts, which
// costs far more than drawing it. Holds the layout of the last text, font, spacing and scale.
class CNTextLayoutCache {
 public:
  CNTextLayoutCache();
  CNTextLayoutCache(const CNTextLayoutCache&) = delete;
  CNTextLayoutCache& operator=(const CNTextLayoutCache&) = delete;
  ~CNTextLayoutCache();

  // The layout of the text in the font text at the scale, made again only when one of them
  // changed.
  const CRTextLayout& Get(cairo_t* cr, std::u16string_view text, std::u16string_view font, int32_t lineSpace,
                          double scale, const CNTextLayoutExtras& extras = {});

 private:
  std::unique_ptr<CRTextLayout> m_pLayout;
  std::u16string m_text;
  std::u16string m_font;
  int32_t m_lineSpace = 0;
  double m_scale = 0.0;
  CNTextLayoutExtras m_extras;
};

// Draws the text into a rectangle in surface pixels. The font's sizes and the line spacing
// are multiplied by the context's smaller scale. Draws nothing for an empty text.
void DrawObjectText(CNDrawContext& context, const CRRectF& deviceRect, const CNObjectTextStyle& style,
                    CNTextLayoutCache& cache);
