#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>

#include "draw/geometry.h"

// In the order of the panel's fill-style items: "SOLID", the six hatches, then the gradients
// from "GD_HORIZONTAL1" to "GD_CENTER2".
enum class CRFillStyle {
  kSolid,
  kHorizontal,
  kVertical,
  kForwardDiagonal,
  kBackwardDiagonal,
  kCross,
  kDiagonalCross,
  kGradientHorizontal1,
  kGradientHorizontal2,
  kGradientHorizontal3,
  kGradientHorizontal4,
  kGradientVertical1,
  kGradientVertical2,
  kGradientVertical3,
  kGradientVertical4,
  kGradientForwardDiagonal1,
  kGradientForwardDiagonal2,
  kGradientForwardDiagonal3,
  kGradientForwardDiagonal4,
  kGradientBackwardDiagonal1,
  kGradientBackwardDiagonal2,
  kGradientBackwardDiagonal3,
  kGradientBackwardDiagonal4,
  kGradientCenter1,
  kGradientCenter2,
};

// How areas are filled.
//  - Solid: the fore colour.
//  - Hatches: an 8x8 tile repeated from the surface origin, fore-colour lines on the back
//    colour (transparent when there is none): horizontal lines on the top row, vertical lines on
//    the left column, forward diagonals from top left to bottom right, backward diagonals from
//    top right to bottom left, the cross both straight lines, the diagonal cross both diagonals.
//  - Gradients run over the filled shape's bounds: horizontal from left to right, vertical
//    from top to bottom, forward diagonal from the top-left to the bottom-right corner,
//    backward diagonal from the top-right to the bottom-left corner. The digit is the variant:
//    1 fore to back, 2 back to fore, 3 fore to back in the middle and fore again, 4 the
//    reverse of 3. Centre gradients are elliptical, 1 fore in the middle to back at the
//    bounds' edges, 2 the reverse. Without a back colour the gradient fades the fore colour
//    out.
struct CRBrush {
  CRFillStyle style = CRFillStyle::kSolid;
  uint32_t color = 0;                 // fore colour, the panel's colour number
  std::optional<uint32_t> backColor;  // hatch background, gradient end
  double alpha = 1.0;

  // A new pattern for filling a shape with the given bounds; the caller destroys it.
  cairo_pattern_t* CreatePattern(const CRRectF& bounds) const;
};
