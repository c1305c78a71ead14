#include "draw/pen.h"

#include <cmath>

std::vector<double> DashPattern(CRLineStyle style, double width) {
  constexpr double kDash = 3.0, kDot = 1.0, kGap = 1.0;
  std::vector<double> pattern;
  switch (style) {
    case CRLineStyle::kSolid:
      break;
    case CRLineStyle::kDash:
      pattern = {kDash, kGap};
      break;
    case CRLineStyle::kDot:
      pattern = {kDot, kGap};
      break;
    case CRLineStyle::kDashDot:
      pattern = {kDash, kGap, kDot, kGap};
      break;
    case CRLineStyle::kDashDotDot:
      pattern = {kDash, kGap, kDot, kGap, kDot, kGap};
      break;
  }
  for (double& length : pattern) length *= width;
  return pattern;
}

double CRPen::EffectiveWidth() const {
  return std::isfinite(width) && width > 0.0 ? width : 1.0;
}
