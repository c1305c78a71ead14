#include "graphs/pen_data_type.h"

#include <algorithm>

#include "graphs/plot_samples.h"

namespace {

bool IsHalfType(CPenDataType type) {  // the "05" family: -0.5 at the bottom
  return type == CPenDataType::kPowerFactor05 || type == CPenDataType::kPowerFactor05p ||
         type == CPenDataType::kPowerFactor05r || type == CPenDataType::kPowerFactor05rp;
}

bool IsPercentType(CPenDataType type) {
  return type == CPenDataType::kPowerFactor00p || type == CPenDataType::kPowerFactor05p ||
         type == CPenDataType::kPowerFactor00rp || type == CPenDataType::kPowerFactor05rp;
}

double Ratio(double low, double high, double value) {
  if (high == low) return 0.0;
  return (std::clamp(value, std::min(low, high), std::max(low, high)) - low) / (high - low);
}

// The inverse of PowerFactorAt.
double PositionOfPowerFactor(bool half, double p) {
  if (p == -1.0) return 0.5;
  if (!half) {
    if (p < -1.0 || p > 1.0) return 1.0;
    return p < 0 ? -p / 2 : 1.0 - p / 2;
  }
  if (p >= -1.0 && p <= -0.5) return -0.5 - p;
  if (p >= 0.5 && p <= 1.0) return 1.5 - p;
  return 1.0;
}

}  // namespace

bool IsPresentedPowerFactor(CPenDataType type) {
  return type >= CPenDataType::kPowerFactor00 && type <= CPenDataType::kPowerFactor05p;
}

bool IsPlacedPowerFactor(CPenDataType type) {
  return type >= CPenDataType::kPowerFactor00r && type <= CPenDataType::kPowerFactor05rp;
}

bool IsRangeChecked(CPenDataType type) {
  return type == CPenDataType::kAnalog || type == CPenDataType::kEnumeration || IsPresentedPowerFactor(type);
}

double PowerFactorAt(CPenDataType type, double r) {
  double p = 0;
  if (IsHalfType(type))
    p = r < 0.5 ? -0.5 - r : 1.5 - r;
  else
    p = r < 0.5 ? -2 * r : 2 - 2 * r;
  return IsPercentType(type) ? p * 100 : p;
}

double PresentPenValue(CPenDataType type, double low, double high, double value) {
  if (!IsPresentedPowerFactor(type) || IsLackValue(value)) return value;
  return PowerFactorAt(type, Ratio(low, high, value));
}

void PresentPenValue(CPenDataType type, double low, double high, double value, CNValue& out) {
  const bool zeroType = type == CPenDataType::kPowerFactor00 || type == CPenDataType::kPowerFactor00p;
  if (zeroType && value == low)
    out.SetString(u"-0");
  else
    out.SetNumber(PresentPenValue(type, low, high, value));
}

double PenValuePosition(CPenDataType type, double low, double high, double value) {
  if (IsLackValue(value)) return value;
  if (!IsPlacedPowerFactor(type)) return high == low ? 0.0 : (value - low) / (high - low);
  return PositionOfPowerFactor(IsHalfType(type), IsPercentType(type) ? value / 100 : value);
}
