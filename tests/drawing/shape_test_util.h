#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

#include "controls/form.h"
#include "draw/surface.h"
#include "draw_test_util.h"
#include "support/ref_cnt.h"
#include "support/utf16_text.h"

// Helpers of the shape and meter drawing tests.

// A new object of the class with properties set from their file texts.
template <class T>
CRPtr<T> MakeShape(std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> texts) {
  auto object = CRPtr<T>::Make();
  SetTexts(*object, texts);
  return object;
}

inline std::u16string Number(int n) {
  return AsciiToUtf16(std::to_string(n));
}

// Where an object stands on its form: "Left", "Top", "Width" and "Height".
struct Place {
  int left;
  int top;
  int width;
  int height;
};

inline void SetPlace(CNObject& object, Place place) {
  SetTexts(object, {{u"Left", Number(place.left)},
                    {u"Top", Number(place.top)},
                    {u"Width", Number(place.width)},
                    {u"Height", Number(place.height)}});
}

// MakeShape for an object at the place, which is set first.
template <class T>
CRPtr<T> MakeShapeAt(Place place,
                     std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> texts = {}) {
  auto object = CRPtr<T>::Make();
  SetPlace(*object, place);
  SetTexts(*object, texts);
  return object;
}

// A form of the given size with a white background, holding the objects in order.
inline CRPtr<CNPForm> WhiteForm(int width, int height, std::initializer_list<CRPtr<CNPObject>> children) {
  auto form = CRPtr<CNPForm>::Make();
  SetTexts(*form, {{u"Width", Number(width)}, {u"Height", Number(height)}, {u"FillColor", u"#FFFFFF"}});
  for (const CRPtr<CNPObject>& child : children) form->AddChild(CRPtr<CNPObject>(child).Detach());
  return form;
}

// Whether the pixel has the colour (0xRRGGBB as written in colour texts) and alpha.
inline ::testing::AssertionResult PixelIs(const CRSurface& surface, int x, int y, uint32_t rgb,
                                          uint8_t alpha = 255) {
  const CRPixel p = surface.GetPixel(x, y);
  const CRPixel want{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                     static_cast<uint8_t>(rgb), alpha};
  if (p.red == want.red && p.green == want.green && p.blue == want.blue && p.alpha == want.alpha)
    return ::testing::AssertionSuccess();
  char text[128];
  std::snprintf(text, sizeof text, "pixel (%d,%d) is #%02X%02X%02X alpha %d, expected #%06X alpha %d", x, y,
                p.red, p.green, p.blue, p.alpha, rgb, alpha);
  return ::testing::AssertionFailure() << text;
}

inline bool IsTransparent(const CRSurface& surface, int x, int y) {
  return surface.GetPixel(x, y).alpha == 0;
}
