#include "objects/shape_2d.h"

namespace {

constexpr std::u16string_view kPoints = u"Points";

}  // namespace

int CNP2DShape::SetPropertyAt(uint32_t i, const CNValue& value) {
  if (GetClassProperties().GetInfo(i).name != kPoints) return CNPSwitchControl::SetPropertyAt(i, value);
  m_points = ParsePointsText(value.GetTextEmptyNA(0));
  return 1;
}

bool CNP2DShape::StoresConverted(uint32_t i) const {
  return GetClassProperties().GetInfo(i).name != kPoints && CNPSwitchControl::StoresConverted(i);
}

int CNP2DShape::GetPropertyAt(uint32_t i, CNValue& value) const {
  if (GetClassProperties().GetInfo(i).name != kPoints) return CNPSwitchControl::GetPropertyAt(i, value);
  value.SetString(PointsText(m_points));
  return 1;
}
