#pragma once

#include <cstdint>

#include "draw/geometry.h"
#include "draw/path.h"

// The geometry of the meters, in surface pixels: where the band of a rectangle meter lies, the
// angles of a pie meter's sectors and the points on its ellipse. Angles are degrees, 0 at twelve
// o'clock, increasing clockwise.

// In the order of the "MeterFillDirection" items.
enum class CNMeterDirection { kBottomToTop, kTopToBottom, kLeftToRight, kRightToLeft };

// What the band of a rectangle meter is computed from.
struct CNMeterRange {
  double value = 0.0;
  double min = 0.0;
  double max = 100.0;
  bool center = false;       // "Center": the band starts at centerValue instead of min
  double centerValue = 0.0;  // "CenterValue"
};

// The band's two edges along the fill direction: p0 where it starts (the base), p1 where the
// value puts its end. Rows (or columns) from the smaller to the larger are filled; p0 is also
// where the centre line goes.
struct CNMeterBand {
  int32_t p0 = 0;
  int32_t p1 = 0;
  bool vertical = true;  // p0 and p1 are y coordinates

  int32_t Low() const { return p0 < p1 ? p0 : p1; }
  int32_t High() const { return p0 < p1 ? p1 : p0; }
  bool IsEmpty() const { return p0 == p1; }
  // The band across the whole other dimension of the meter's rectangle.
  CRRectF Area(const CRRectF& meter) const;
};

// The rectangle meter's band over a rectangle with whole-pixel edges: with range = max - min
// and base = centerValue (center on) or min, f0 = (base - min) / range and
// fv = (value - base) / range; bottom to top p0 = trunc(bottom - f0 H),
// p1 = trunc(p0 - fv H), and likewise for the other directions. p1 is clamped into the
// rectangle, p0 is not. A range of 0 fills the whole meter (f0 = 0, fv = 1). Values that are not
// numbers put p1 on p0 (an empty band).
CNMeterBand RectMeterBand(const CRRectF& meter, CNMeterDirection direction, const CNMeterRange& range);

// A pie meter's angles: start <= a <= end.
struct CNPieMeterAngles {
  int32_t start = 0;
  int32_t end = 0;
  int32_t a = 0;  // where the value lies
};

// Lowers start by whole turns until it is at most end:
// start - 360 - ((start - end - 1) div 360) x 360 when start > end.
void NormalizeSectorAngles(int32_t& start, int32_t& end);

// f = (value - min) / (max - min) (1 when min equals max); a = trunc(f (end - start) + start)
// clamped into [start, end], start and end normalised first. A value that is not a number
// gives a = start.
CNPieMeterAngles PieMeterAngles(int32_t startAngle, int32_t endAngle, double value, double min, double max);

// Whether two angles are a whole number of turns apart (a sector between them is the full
// ellipse), and not equal.
bool IsWholeTurn(double from, double to);

// The point of the ellipse inscribed in rect at angle t: (cx + rx cos(th), cy - ry sin(th))
// with th = 450 - t degrees, each coordinate rounded by adding 0.5 and truncating.
CRPointF EllipsePoint(const CRRectF& rect, double t);

// A pie meter's sector from angle from clockwise to angle to: the centre, the rounded ellipse
// point of from, the arc, the rounded point of to. The full ellipse when the angles are a whole
// number of turns apart; no figure when they are equal.
CRPath PieMeterSector(const CRRectF& rect, double from, double to);
