#pragma once

#include <cstdint>
#include <vector>

#include "draw/end_cap.h"

// In the order of the line-style items "SOLID,DASH,DOT,DASHDOT,DASHDOTDOT".
enum class CRLineStyle { kSolid, kDash, kDot, kDashDot, kDashDotDot };
// In the order of the join items "ROUND,MITER,BEVEL".
enum class CRLineJoin { kRound, kMiter, kBevel };

// On and off lengths of a line style for a pen of the given width: a dash is three widths,
// a dot and every gap one width. Empty for a solid line.
std::vector<double> DashPattern(CRLineStyle style, double width);

// How lines are stroked. A width that is not a positive number strokes one pixel wide.
struct CRPen {
  uint32_t color = 0;  // the panel's colour number, red in the low byte
  double alpha = 1.0;
  double width = 1.0;
  CRLineStyle style = CRLineStyle::kSolid;
  CRLineJoin join = CRLineJoin::kMiter;
  CREndCap startCap = CREndCap::kFlat;
  CREndCap endCap = CREndCap::kFlat;

  double EffectiveWidth() const;
};
