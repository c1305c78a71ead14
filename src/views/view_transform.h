#pragma once

#include "draw/geometry.h"
#include "screen/pobject.h"

// How the form on show lands in its view's pixels: the layout's scales (zoom times stretch) and
// where the form's top-left corner is after scrolling. Drawing turns each form edge into a
// pixel edge by rounding (CNDrawContext::ToDevice); the conversions here agree with it.
struct CNViewTransform {
  double scaleX = 1.0;
  double scaleY = 1.0;
  double originX = 0.0;
  double originY = 0.0;

  // A scale that is not a positive number counts as 1, as it does when drawing.
  static double UsableScale(double scale);
  // The form point whose drawing covers the middle of the view pixel `at`.
  CNPoint ToForm(CNPoint at) const;
  // The view pixels a rectangle of form coordinates may paint on: its edges rounded outwards
  // and one pixel more on every side for anti-aliased edges. Empty for an empty rectangle.
  CRRectF Cover(const CNRect& rect) const;
};

// A rectangle of whole pixels as a drawing rectangle.
inline CRRectF ToRectF(const CNRect& rect) {
  return {static_cast<double>(rect.left), static_cast<double>(rect.top), static_cast<double>(rect.Width()),
          static_cast<double>(rect.Height())};
}
