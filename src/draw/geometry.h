#pragma once

#include <cmath>
#include <numbers>

// Points and rectangles in drawing coordinates (pixels, y downwards).
struct CRPointF {
  double x = 0.0;
  double y = 0.0;
};

struct CRSizeF {
  double width = 0.0;
  double height = 0.0;
};

struct CRRectF {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;

  double Right() const { return x + width; }
  double Bottom() const { return y + height; }
  CRPointF Center() const { return {x + width * 0.5, y + height * 0.5}; }
  // Whether the point lies inside: the left and top edges count, the right and bottom do not.
  bool Contains(double px, double py) const { return px >= x && px < Right() && py >= y && py < Bottom(); }
  bool IsFinite() const {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(width) && std::isfinite(height);
  }
};

inline double DegreesToRadians(double degrees) {
  return degrees * (std::numbers::pi / 180.0);
}
