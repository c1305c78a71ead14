#include "project/stretch_geometry.h"

#include <algorithm>
#include <cmath>

#include "project/stretch_mode.h"

namespace {

// Rounds to the nearest pixel within the 32-bit range.
int32_t Pixels(double length) {
  if (!(length > 0)) return 0;  // also NaN
  if (length >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(std::lround(length));
}

int32_t Place(CNAlign align, int32_t view, int32_t content) {
  if (content >= view) return 0;
  switch (align) {
    case CNAlign::kNear: return 0;
    case CNAlign::kFar: return view - content;
    case CNAlign::kCenter: break;
  }
  return (view - content) / 2;
}

}  // namespace

CNStretchLayout ComputeStretchLayout(int32_t mode, CNSize formSize, CNSize viewSize, double zoom, CNAlign alignX,
                                     CNAlign alignY) {
  const double formW = std::max(formSize.width, 1);
  const double formH = std::max(formSize.height, 1);
  const double viewW = std::max(viewSize.width, 0);
  const double viewH = std::max(viewSize.height, 0);
  if (!std::isfinite(zoom) || zoom <= 0) zoom = 1.0;

  CNStretchLayout layout;
  layout.formSize = {static_cast<int32_t>(formW), static_cast<int32_t>(formH)};
  const double fit = std::min(viewW / formW, viewH / formH);
  switch (mode) {
    case kStretchFull:
      layout.scaleX = viewW / formW * zoom;
      layout.scaleY = viewH / formH * zoom;
      break;
    case kStretchKeepRate:
      layout.scaleX = layout.scaleY = fit * zoom;
      break;
    case kStretchResizeFull:
      layout.scaleX = layout.scaleY = zoom;
      layout.formSize = {std::max(Pixels(viewW / zoom), 1), std::max(Pixels(viewH / zoom), 1)};
      break;
    case kStretchResizeKeepRate:
      layout.scaleX = layout.scaleY = zoom;
      layout.formSize = {std::max(Pixels(formW * fit / zoom), 1), std::max(Pixels(formH * fit / zoom), 1)};
      break;
    default:
      layout.scaleX = layout.scaleY = zoom;
      break;
  }
  layout.contentSize = {Pixels(layout.formSize.width * layout.scaleX),
                        Pixels(layout.formSize.height * layout.scaleY)};
  layout.offsetX = Place(alignX, static_cast<int32_t>(viewW), layout.contentSize.width);
  layout.offsetY = Place(alignY, static_cast<int32_t>(viewH), layout.contentSize.height);
  return layout;
}
