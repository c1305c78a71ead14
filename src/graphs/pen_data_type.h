#pragma once

#include <cstdint>
#include <string_view>

#include "values/value.h"

// The data types of a pen, in the order of kPenDataTypeItems.
enum class CPenDataType : int32_t {
  kAnalog,
  kBoolean,
  kEnumeration,
  kPowerFactor00,
  kPowerFactor05,
  kPowerFactor00p,
  kPowerFactor05p,
  kPowerFactor00r,
  kPowerFactor05r,
  kPowerFactor00rp,
  kPowerFactor05rp,
};

inline constexpr std::u16string_view kPenDataTypeItems =
    u"analog,boolean,enumeration,powerfactor00,powerfactor05,powerfactor00p,powerfactor05p,powerfactor00r,"
    u"powerfactor05r,powerfactor00rp,powerfactor05rp";

// The four types that hold linear values in [Low, High] and present them as power factors.
bool IsPresentedPowerFactor(CPenDataType type);
// The four "r" types, which hold power factors and place them by the inverse mapping.
bool IsPlacedPowerFactor(CPenDataType type);
inline bool IsPowerFactor(CPenDataType type) {
  return IsPresentedPowerFactor(type) || IsPlacedPowerFactor(type);
}
// Whether samples of the type are subject to "PlotOutOfRange".
bool IsRangeChecked(CPenDataType type);

// A stored value as scripts see it: the power factor of the four presented types (times 100 for
// the "p" types), the value itself for the others. A lack passes unchanged.
double PresentPenValue(CPenDataType type, double low, double high, double value);
// The presented value as a value: "-0" for a "00" type's value exactly at low, else the number.
void PresentPenValue(CPenDataType type, double low, double high, double value, CNValue& out);
// Where a stored value stands between low (0) and high (1): linear for every type but the "r"
// types, which place their power factor by the inverse mapping. A lack passes unchanged.
double PenValuePosition(CPenDataType type, double low, double high, double value);
// The presented value of a position r from 0 (bottom) to 1 (top) of a power-factor scale.
double PowerFactorAt(CPenDataType type, double r);
