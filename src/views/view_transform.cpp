#include "views/view_transform.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t SaturatedFloor(double v) {
  if (!(v > -2147483648.0)) return INT32_MIN;  // also NaN
  if (v >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(std::floor(v));
}

}  // namespace

double CNViewTransform::UsableScale(double scale) { return std::isfinite(scale) && scale > 0.0 ? scale : 1.0; }

CNPoint CNViewTransform::ToForm(CNPoint at) const {
  return {SaturatedFloor((at.x + 0.5 - originX) / UsableScale(scaleX)),
          SaturatedFloor((at.y + 0.5 - originY) / UsableScale(scaleY))};
}

CRRectF CNViewTransform::Cover(const CNRect& rect) const {
  if (rect.right == rect.left || rect.bottom == rect.top) return {};
  const double sx = UsableScale(scaleX);
  const double sy = UsableScale(scaleY);
  const double x0 = originX + std::min(rect.left, rect.right) * sx;
  const double x1 = originX + std::max(rect.left, rect.right) * sx;
  const double y0 = originY + std::min(rect.top, rect.bottom) * sy;
  const double y1 = originY + std::max(rect.top, rect.bottom) * sy;
  const double left = std::floor(x0) - 1.0;
  const double top = std::floor(y0) - 1.0;
  return {left, top, std::ceil(x1) + 1.0 - left, std::ceil(y1) + 1.0 - top};
}
