#include "objects/switch_control.h"

#include "objects/enum_value.h"

namespace {

constexpr std::u16string_view kSwitchType = u"SwitchType";
constexpr std::u16string_view kSwitchValue = u"SwitchValue";

}  // namespace

int CNPSwitchControl::SetPropertyAt(uint32_t i, const CNValue& value) {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  if (name == kSwitchType) return SetSwitchType(value) ? 1 : 0;
  if (name == kSwitchValue) {
    m_switch.value = value.GetBool(0);
    return 1;
  }
  return CNPControl::SetPropertyAt(i, value);
}

bool CNPSwitchControl::StoresConverted(uint32_t i) const {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  return name != kSwitchType && name != kSwitchValue && CNPControl::StoresConverted(i);
}

int CNPSwitchControl::GetPropertyAt(uint32_t i, CNValue& value) const {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  if (name == kSwitchType) {
    CNEnum(m_switch.type).ToValue(switch_properties::kSwitchTypeItems, value);
  } else if (name == kSwitchValue) {
    value.SetBool(m_switch.value);
  } else {
    return CNPControl::GetPropertyAt(i, value);
  }
  return 1;
}

bool CNPSwitchControl::SetSwitchType(const CNValue& value) {
  CNEnum type(m_switch.type);
  if (!type.FromValue(switch_properties::kSwitchTypeItems, value)) return false;
  m_switch.type = type.GetIndex();
  return true;
}
