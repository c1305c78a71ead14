#pragma once

#include <cstdint>

// Where a form lands in a view for a stretch mode and a zoom factor.
//
// Rounding: every scaled length is the exact product rounded to the nearest pixel, halves away
// from zero (std::lround); a form smaller than the view on an axis is placed by its alignment,
// a centred form at floor((view - content) / 2), so an odd pixel left over goes to the right or
// bottom. Widths and heights below 1 of a form count as 1 and negative view sizes as 0, so no
// size divides by zero; a zoom that is not a positive finite number counts as 1.
enum class CNAlign : uint8_t {
  kNear,    // left or top
  kCenter,
  kFar,     // right or bottom
};

struct CNSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const CNSize&, const CNSize&) = default;
};

struct CNStretchLayout {
  double scaleX = 1.0;  // view pixels per form unit
  double scaleY = 1.0;
  CNSize formSize;      // the form's own size after the layout (the RESIZE modes change it)
  CNSize contentSize;   // the form's size in view pixels: what the scroll range covers
  int32_t offsetX = 0;  // the form's top-left corner in the view before scrolling
  int32_t offsetY = 0;
};

// The layout of a form of formSize in a view of viewSize. Modes other than the five concrete
// ones lay out as NONE.
//   NONE              scale = zoom, form size kept
//   STRETCH_FULL      scale = view / form * zoom per axis; content = view * zoom
//   STRETCH_KEEPRATE  scale = min(view.w / form.w, view.h / form.h) * zoom
//   RESIZE_FULL       form size = view / zoom, scale = zoom
//   RESIZE_KEEPRATE   form size = form * min(view.w / form.w, view.h / form.h) / zoom, scale = zoom
// A resized form is at least 1 by 1.
CNStretchLayout ComputeStretchLayout(int32_t mode, CNSize formSize, CNSize viewSize, double zoom,
                                     CNAlign alignX = CNAlign::kCenter, CNAlign alignY = CNAlign::kCenter);
