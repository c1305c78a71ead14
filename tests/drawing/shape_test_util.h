#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "controls/form.h"
#include "draw/surface.h"
#include "draw_test_util.h"
#include "support/ref_cnt.h"
#include "support/utf16_text.h"

// Helpers of the drawing tests of the screen classes.

// A new object of the class with properties set from their file texts.
template <class T>
CRPtr<T> MakeShape(std::u16string_view texts = {}) {
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

// MakeShape for an object at the place, which is set first.
template <class T>
CRPtr<T> MakeShapeAt(Place place, std::u16string_view texts = {}) {
  auto object = MakeShape<T>(u"Left=" + Number(place.left) + u"; Top=" + Number(place.top) + u"; Width=" +
                             Number(place.width) + u"; Height=" + Number(place.height));
  SetTexts(*object, texts);
  return object;
}

// A form of the given size with a white background, holding the objects in order.
inline CRPtr<CNPForm> WhiteForm(int width, int height, std::initializer_list<CRPtr<CNPObject>> children) {
  auto form =
      MakeShape<CNPForm>(u"Width=" + Number(width) + u"; Height=" + Number(height) + u"; FillColor=#FFFFFF");
  for (const CRPtr<CNPObject>& child : children) form->AddChild(CRPtr<CNPObject>(child).Detach());
  return form;
}

// Whether the pixel has the colour (0xRRGGBB as written in colour texts) and alpha.
inline ::testing::AssertionResult PixelIs(const CRSurface& surface, int x, int y, uint32_t rgb,
                                          uint8_t alpha = 255) {
  const CRPixel p = surface.GetPixel(x, y);
  if (p.red == static_cast<uint8_t>(rgb >> 16) && p.green == static_cast<uint8_t>(rgb >> 8) &&
      p.blue == static_cast<uint8_t>(rgb) && p.alpha == alpha)
    return ::testing::AssertionSuccess();
  char text[128];
  std::snprintf(text, sizeof text, "pixel (%d,%d) is #%02X%02X%02X alpha %d, expected #%06X alpha %d", x, y,
                p.red, p.green, p.blue, p.alpha, rgb, alpha);
  return ::testing::AssertionFailure() << text;
}

inline bool IsTransparent(const CRSurface& surface, int x, int y) {
  return surface.GetPixel(x, y).alpha == 0;
}

// A point and what its pixel must be: the colour and alpha as PixelIs takes them, or kClear
// for any pixel with alpha 0.
inline constexpr uint32_t kClear = 0x1000000;
struct Probe {
  int x, y;
  uint32_t rgb;
  uint8_t alpha = 255;
};

inline ::testing::AssertionResult PixelsAre(const CRSurface& surface, std::initializer_list<Probe> probes) {
  ::testing::AssertionResult result = ::testing::AssertionSuccess();
  bool failed = false;
  for (const Probe& p : probes) {
    if (p.rgb == kClear ? IsTransparent(surface, p.x, p.y) : PixelIs(surface, p.x, p.y, p.rgb, p.alpha))
      continue;
    if (!failed) result = ::testing::AssertionFailure();
    failed = true;
    if (p.rgb == kClear)
      result << "pixel (" << p.x << "," << p.y << ") is not transparent; ";
    else
      result << PixelIs(surface, p.x, p.y, p.rgb, p.alpha).message() << "; ";
  }
  return result;
}

// The pixels inside [x0,x1) x [y0,y1) for which the test holds.
template <class Test>
int CountPixels(const CRSurface& surface, int x0, int y0, int x1, int y1, Test test) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += test(surface.GetPixel(x, y)) ? 1 : 0;
  return n;
}
