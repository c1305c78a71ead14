#pragma once

#include <cstdint>

// The alpha byte of a transparency between 0 and 1: 255 when it is exactly 1.0, otherwise
// round(alpha x 255) taken modulo 256. A value that is not a number counts as opaque.
uint8_t AlphaByte(double alpha);

// A colour as the drawing library takes it: channels and alpha between 0 and 1.
struct CRColor {
  double red = 0.0;
  double green = 0.0;
  double blue = 0.0;
  double alpha = 1.0;

  // colorRef is the panel's colour number: red in the low byte, then green, then blue.
  static CRColor FromColorRef(uint32_t colorRef, double alpha = 1.0);
};
