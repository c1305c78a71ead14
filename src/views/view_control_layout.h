#pragma once

#include <cstdint>

#include "screen/pobject.h"

// Where the parts of a view control lie, in form coordinates: the border along the inner edge
// of the object's rectangle, the title bar across the top or bottom inside the border, its
// close button at the right end and its maximise button left of it, and the view in the rest.
// The resizing edge is a strip along the right and bottom sides of the rectangle.
struct CNViewControlLayout {
  static constexpr int32_t kButtonMargin = 2;  // around each title-bar button
  static constexpr int32_t kResizeEdge = 6;    // width of the resizing strips

  CNRect frame;        // the object's rectangle
  CNRect title;        // empty without a title bar
  CNRect closeButton;  // empty when not shown
  CNRect maxButton;    // empty when not shown
  CNRect body;         // the inner view
};

// The parts of the object at a point, the first that takes it in this order.
enum class CNViewControlPart : uint8_t {
  kNone,  // outside the object
  kCloseButton,
  kMaxButton,
  kResizeRight,   // the right strip (with "AllowResize")
  kResizeBottom,  // the bottom strip
  kResizeCorner,  // where both meet
  kTitleBar,
  kBody,  // the view, and the border where no other part is
};

// The layout the object's "TitleBar", "TitleHeight", "ShowCloseButton", "ShowMaxButton",
// "Border" and "BorderWidth" give its rectangle. Parts never reach outside the rectangle and
// are empty when it has no room for them.
CNViewControlLayout ComputeViewControlLayout(const CNPObject& control);

CNViewControlPart HitViewControlPart(const CNViewControlLayout& layout, const CNPoint& at, bool allowResize);

inline bool IsResizePart(CNViewControlPart part) {
  return part == CNViewControlPart::kResizeRight || part == CNViewControlPart::kResizeBottom ||
         part == CNViewControlPart::kResizeCorner;
}

// Whether a point lies inside a rectangle (right and bottom edges excluded).
inline bool RectContains(const CNRect& rect, const CNPoint& at) {
  return at.x >= rect.left && at.x < rect.right && at.y >= rect.top && at.y < rect.bottom;
}
