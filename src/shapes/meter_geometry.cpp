#include "shapes/meter_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Truncated toward zero into 32 bits; NaN gives the fallback, infinities saturate.
int32_t Truncate(double v, int32_t fallback) {
  if (std::isnan(v)) return fallback;
  v = std::trunc(v);
  if (v >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

}  // namespace

CRRectF CNMeterBand::Area(const CRRectF& meter) const {
  const double low = Low(), high = High();
  if (vertical) return {meter.x, low, meter.width, high - low};
  return {low, meter.y, high - low, meter.height};
}

CNMeterBand RectMeterBand(const CRRectF& meter, CNMeterDirection direction, const CNMeterRange& range) {
  const double span = range.max - range.min;
  const double base = range.center ? range.centerValue : range.min;
  // An empty range fills the whole meter: from the base edge (f0 = 0) all the way (fv = 1).
  double f0 = 0.0, fv = 1.0;
  if (span != 0.0) {
    f0 = (base - range.min) / span;
    fv = (range.value - base) / span;
  }
  const double left = meter.x, top = meter.y, right = meter.Right(), bottom = meter.Bottom();
  const double w = meter.width, h = meter.height;
  CNMeterBand band;
  switch (direction) {
    case CNMeterDirection::kBottomToTop:
      band.p0 = Truncate(bottom - f0 * h, Truncate(bottom, 0));
      band.p1 = Truncate(band.p0 - fv * h, band.p0);
      break;
    case CNMeterDirection::kTopToBottom:
      band.p0 = Truncate(top + f0 * h, Truncate(top, 0));
      band.p1 = Truncate(band.p0 + fv * h, band.p0);
      break;
    case CNMeterDirection::kLeftToRight:
      band.vertical = false;
      band.p0 = Truncate(left + f0 * w, Truncate(left, 0));
      band.p1 = Truncate(band.p0 + fv * w, band.p0);
      break;
    case CNMeterDirection::kRightToLeft:
      band.vertical = false;
      band.p0 = Truncate(right - f0 * w, Truncate(right, 0));
      band.p1 = Truncate(band.p0 - fv * w, band.p0);
      break;
  }
  const int32_t low = Truncate(band.vertical ? top : left, 0);
  const int32_t high = std::max(low, Truncate(band.vertical ? bottom : right, 0));
  band.p1 = std::clamp(band.p1, low, high);
  return band;
}

void NormalizeSectorAngles(int32_t& start, int32_t& end) {
  if (start <= end) return;
  // In 64 bits: angles from a script are not limited to one turn.
  const int64_t lowered = int64_t{start} - 360 - (int64_t{start} - end - 1) / 360 * 360;
  start = static_cast<int32_t>(std::max<int64_t>(lowered, std::numeric_limits<int32_t>::min()));
}

CNPieMeterAngles PieMeterAngles(int32_t startAngle, int32_t endAngle, double value, double min, double max) {
  CNPieMeterAngles angles{startAngle, endAngle, startAngle};
  NormalizeSectorAngles(angles.start, angles.end);
  const double f = min == max ? 1.0 : (value - min) / (max - min);
  const double a = f * (static_cast<double>(angles.end) - angles.start) + angles.start;
  angles.a = std::clamp(Truncate(a, angles.start), angles.start, angles.end);
  return angles;
}

bool IsWholeTurn(double from, double to) {
  const double turns = (to - from) / 360.0;
  return from != to && std::isfinite(turns) && turns == std::trunc(turns);
}

CRPointF EllipsePoint(const CRRectF& rect, double t) {
  const CRPointF c = rect.Center();
  const double theta = DegreesToRadians(450.0 - t);
  return {std::trunc(c.x + rect.width * 0.5 * std::cos(theta) + 0.5),
          std::trunc(c.y - rect.height * 0.5 * std::sin(theta) + 0.5)};
}

CRPath PieMeterSector(const CRRectF& rect, double from, double to) {
  if (IsWholeTurn(from, to)) return CRPath::Ellipse(rect);
  if (!(to > from)) return {};
  CRPath sector;
  sector.MoveTo(rect.Center());
  sector.LineTo(EllipsePoint(rect, from));
  // The arc's angles count from three o'clock.
  const CRPath arc = CRPath::Arc(rect, from - 90.0, to - from);
  for (const CRPath::Segment& s : arc.GetSegments())
    if (s.verb == CRPath::Verb::kCurve) sector.CurveTo(s.points[0], s.points[1], s.points[2]);
  sector.LineTo(EllipsePoint(rect, to));
  sector.Close();
  return sector;
}
