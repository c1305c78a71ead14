#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "draw/painter.h"
#include "draw/surface.h"

// Colour numbers with red in the low byte.
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kBlack = 0x000000;

inline bool PixelNear(const CRPixel& actual, const CRPixel& expected, int tolerance = 2) {
  return std::abs(actual.red - expected.red) <= tolerance &&
         std::abs(actual.green - expected.green) <= tolerance &&
         std::abs(actual.blue - expected.blue) <= tolerance &&
         std::abs(actual.alpha - expected.alpha) <= tolerance;
}

inline bool IsPainted(const CRSurface& surface, int x, int y, int minAlpha = 1) {
  return surface.GetPixel(x, y).alpha >= minAlpha;
}

// Counts the painted pixels (of at least the alpha given) inside (or, with outside set, outside)
// the rectangle [x0,x1) x [y0,y1).
inline int CountPainted(const CRSurface& surface, int x0, int y0, int x1, int y1, bool outside = false,
                        int minAlpha = 1) {
  int count = 0;
  for (int y = 0; y < surface.GetHeight(); ++y)
    for (int x = 0; x < surface.GetWidth(); ++x) {
      const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
      if (inside != outside && IsPainted(surface, x, y, minAlpha)) ++count;
    }
  return count;
}

inline void Fill(CRPainter& painter, const CRRectF& rect, uint32_t color, double alpha = 1.0) {
  painter.FillPath(CRPath::Rectangle(rect), CRBrush{CRFillStyle::kSolid, color, std::nullopt, alpha});
}

// The pixels in which two drawings of the same size differ at all.
inline int DifferingPixels(const CRSurface& a, const CRSurface& b) {
  int differing = 0;
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x)
      if (!PixelNear(a.GetPixel(x, y), b.GetPixel(x, y), 0)) ++differing;
  return differing;
}
