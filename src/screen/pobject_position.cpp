// The rectangle of screen objects: position properties, centre, mouse offset and auto-resize.
#include <cmath>

#include "screen/pobject.h"
#include "values/enum_value.h"

namespace {

// A number truncated toward zero into a signed 32-bit whole number, 0 outside that range.
int32_t ToInt32OrZero(double v) {
  v = std::trunc(v);
  return v >= INT32_MIN && v <= INT32_MAX ? static_cast<int32_t>(v) : 0;
}

// Positions of the "AutoResizeX" / "AutoResizeY" items.
enum AutoResize : int32_t { RESIZE_NEAR = 0, RESIZE_FAR = 1, RESIZE_BOTH = 2, RESIZE_CENTER = 3 };

struct Span {
  int32_t pos;
  int32_t size;
};

// One axis of auto-resize: the span (x, w) in a parent extent going from e0 to e1.
Span Follow(int32_t mode, Span s, int32_t e0, int32_t e1) {
  const int64_t farGap = int64_t{e0} - (int64_t{s.pos} + s.size);  // distance to the far edge
  switch (mode) {
    case RESIZE_FAR:
      return {CNRect::Saturate(e1 - farGap - s.size), s.size};
    case RESIZE_BOTH: {
      int64_t farEdge = e1 - farGap;
      if (farEdge <= s.pos) farEdge = int64_t{s.pos} + 1;
      return {s.pos, CNRect::Saturate(farEdge - s.pos)};
    }
    case RESIZE_CENTER: {
      if (e0 == 0) return s;  // no proportion to keep
      const double center = std::trunc(s.pos + s.size * 0.5) / e0 * e1;
      return {ToInt32OrZero(center - s.size * 0.5), s.size};
    }
    default:
      return s;
  }
}

}  // namespace

CNRect CNPObject::GetRect() const {
  const auto read = [this](std::u16string_view name) {
    CNValue v;
    return GetProperty(name, v) ? ToInt32OrZero(v.GetNumber(0)) : 0;
  };
  CNRect rect;
  rect.left = read(u"Left");
  rect.top = read(u"Top");
  rect.right = CNRect::Saturate(int64_t{rect.left} + read(u"Width"));
  rect.bottom = CNRect::Saturate(int64_t{rect.top} + read(u"Height"));
  return rect;
}

void CNPObject::SetRect(const CNRect& rect) {
  const CNRect old = GetRect();
  const auto write = [this](std::u16string_view name, int32_t from, int32_t to) {
    if (from == to) return;
    CNValue v;
    v.SetNumber(to);
    SetProperty(name, v);
  };
  write(u"Left", old.left, rect.left);
  write(u"Top", old.top, rect.top);
  write(u"Width", old.Width(), rect.Width());
  write(u"Height", old.Height(), rect.Height());
}

int32_t CNPObject::GetCenter(bool horizontal) const {
  const CNRect rect = GetRect();
  const int64_t near = horizontal ? rect.left : rect.top;
  const int64_t far = horizontal ? rect.right : rect.bottom;
  return CNRect::Saturate(near + (far - near) / 2);  // the halving truncates toward zero
}

void CNPObject::SetCenter(bool horizontal, double center) {
  CNRect rect = GetRect();
  if (horizontal) {
    const int32_t width = rect.Width();
    rect.left = ToInt32OrZero(center - width / 2);
    rect.right = CNRect::Saturate(int64_t{rect.left} + width);
  } else {
    const int32_t height = rect.Height();
    rect.top = ToInt32OrZero(center - height / 2);
    rect.bottom = CNRect::Saturate(int64_t{rect.top} + height);
  }
  SetRect(rect);
}

bool CNPObject::GetMouseOffset(CNPoint& offset) const {
  // The view reports form coordinates, which are every object's own (groups do not shift).
  CNObjectOwner* owner = GetOwner();
  CNPoint mouse;
  if (!owner || !owner->GetMousePositionOf(*this, mouse.x, mouse.y)) return false;
  const CNRect rect = GetRect();
  offset.x = CNRect::Saturate(int64_t{mouse.x} - rect.left);
  offset.y = CNRect::Saturate(int64_t{mouse.y} - rect.top);
  return true;
}

void CNPObject::AutoResize(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight,
                           bool force) {
  const auto mode = [this](std::u16string_view property, std::u16string_view items) {
    CNValue v;
    const int32_t index =
        GetProperty(property, v) ? CNEnum::ItemIndex(items, v.GetStringView(0)) : RESIZE_NEAR;
    return index < 0 ? RESIZE_NEAR : index;
  };
  const int32_t modeX = mode(u"AutoResizeX", common_properties::kAutoResizeXItems);
  const int32_t modeY = mode(u"AutoResizeY", common_properties::kAutoResizeYItems);
  // Horizontally first, then vertically.
  CNRect rect = GetRect();
  const Span x = Follow(modeX, {rect.left, rect.Width()}, oldWidth, newWidth);
  rect.left = x.pos;
  rect.right = CNRect::Saturate(int64_t{x.pos} + x.size);
  SetRect(rect);
  const Span y = Follow(modeY, {rect.top, rect.Height()}, oldHeight, newHeight);
  rect.top = y.pos;
  rect.bottom = CNRect::Saturate(int64_t{y.pos} + y.size);
  SetRect(rect);
  if (modeX != RESIZE_NEAR || modeY != RESIZE_NEAR || force) FireEvent(u"OnResize");
}
