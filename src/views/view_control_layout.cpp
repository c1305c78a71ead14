#include "views/view_control_layout.h"

#include <algorithm>

#include "objects/property_read.h"

namespace {

constexpr int32_t kTitleTop = 1;
constexpr int32_t kTitleBottom = 2;

CNRect Inset(const CNRect& rect, int32_t by) {
  const int32_t x = std::clamp(by, 0, std::max(rect.Width() / 2, 0));
  const int32_t y = std::clamp(by, 0, std::max(rect.Height() / 2, 0));
  return {rect.left + x, rect.top + y, rect.right - x, rect.bottom - y};
}

}  // namespace

CNViewControlLayout ComputeViewControlLayout(const CNPObject& control) {
  CNViewControlLayout layout;
  CNRect frame = control.GetRect();
  frame.right = std::max(frame.right, frame.left);
  frame.bottom = std::max(frame.bottom, frame.top);
  layout.frame = frame;
  const bool border = PropertyBool(control, u"Border", false);
  const CNRect inside = Inset(frame, border ? std::max(PropertyInt(control, u"BorderWidth", 1), 1) : 0);
  layout.body = inside;

  const int32_t where = PropertyItem(control, u"TitleBar");
  const int32_t height = std::clamp(PropertyInt(control, u"TitleHeight"), 0, inside.Height());
  if ((where != kTitleTop && where != kTitleBottom) || height == 0) return layout;
  CNRect& title = layout.title;
  title = inside;
  if (where == kTitleTop) {
    title.bottom = title.top + height;
    layout.body.top = title.bottom;
  } else {
    title.top = title.bottom - height;
    layout.body.bottom = title.top;
  }

  // Square buttons as high as the bar less the margins, from the right end leftwards.
  const int32_t margin = CNViewControlLayout::kButtonMargin;
  const int32_t size = height - 2 * margin;
  int32_t right = title.right - margin;
  const auto place = [&](std::u16string_view shown, CNRect& button) {
    if (size <= 0 || !PropertyBool(control, shown, false) || right - size < title.left + margin) return;
    button = {right - size, title.top + margin, right, title.top + margin + size};
    right -= size + margin;
  };
  place(u"ShowCloseButton", layout.closeButton);
  place(u"ShowMaxButton", layout.maxButton);
  return layout;
}

CNViewControlPart HitViewControlPart(const CNViewControlLayout& layout, const CNPoint& at, bool allowResize) {
  if (!RectContains(layout.frame, at)) return CNViewControlPart::kNone;
  if (RectContains(layout.closeButton, at)) return CNViewControlPart::kCloseButton;
  if (RectContains(layout.maxButton, at)) return CNViewControlPart::kMaxButton;
  if (allowResize) {
    const bool right = at.x >= layout.frame.right - CNViewControlLayout::kResizeEdge;
    const bool bottom = at.y >= layout.frame.bottom - CNViewControlLayout::kResizeEdge;
    if (right && bottom) return CNViewControlPart::kResizeCorner;
    if (right) return CNViewControlPart::kResizeRight;
    if (bottom) return CNViewControlPart::kResizeBottom;
  }
  if (RectContains(layout.title, at)) return CNViewControlPart::kTitleBar;
  return CNViewControlPart::kBody;
}
