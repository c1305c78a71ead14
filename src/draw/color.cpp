#include "draw/color.h"

#include <cmath>

uint8_t AlphaByte(double alpha) {
  if (!std::isfinite(alpha) || alpha == 1.0) return 255;
  const double wrapped = std::fmod(std::round(alpha * 255.0), 256.0);
  return static_cast<uint8_t>(wrapped < 0.0 ? wrapped + 256.0 : wrapped);
}

CRColor CRColor::FromColorRef(uint32_t colorRef, double alpha) {
  // The alpha goes through its byte so that the surface stores exactly that byte.
  return {(colorRef & 0xFF) / 255.0, ((colorRef >> 8) & 0xFF) / 255.0, ((colorRef >> 16) & 0xFF) / 255.0,
          AlphaByte(alpha) / 255.0};
}
