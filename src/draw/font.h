#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A font as the panel stores it, the text "face,height,width,weight,italic,underline,
// strike-out,escapement,orientation", e.g. "Meiryo UI,-13,0,400,0,0,0,0,0".
//  - height: negative for the character height in pixels, positive for the cell height
//    (character plus internal leading), 0 for the default height;
//  - width: the average character width in pixels, 0 for the face's own proportions;
//  - weight: 100 (thin) to 1000, 400 normal, 700 bold, 0 normal;
//  - escapement: the angle of the text lines in tenths of degrees, counter-clockwise;
//    orientation: the angle of each character, kept with the font but drawn as the escapement.
struct CRFont {
  static constexpr std::u16string_view kDefaultFace = u"Sans";
  static constexpr int32_t kDefaultHeight = -12;

  std::u16string face{kDefaultFace};
  int32_t height = kDefaultHeight;
  int32_t width = 0;
  int32_t weight = 400;
  uint32_t italic = 0;
  uint32_t underline = 0;
  uint32_t strikeOut = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;

  // Never fails: an empty face, a missing field or a field that is not a whole number keeps
  // that field's default; out-of-range sizes are brought into range.
  static CRFont FromText(std::u16string_view text);
  std::u16string ToText() const;
};
