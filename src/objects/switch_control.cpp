#include "objects/switch_control.h"

#include "objects/enum_value.h"

int CNPSwitchControl::SetPropertyAt(uint32_t i, const CNValue& value) {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  if (name == u"SwitchType") return SetSwitchType(value) ? 1 : 0;
  if (name == u"SwitchValue") {
    m_switch.value = value.GetBool(0);
    return 1;
  }
  return CNPControl::SetPropertyAt(i, value);
}

int CNPSwitchControl::GetPropertyAt(uint32_t i, CNValue& value) const {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  if (name == u"SwitchType") {
    CNEnum(m_switch.type).ToValue(switch_properties::kSwitchTypeItems, value);
  } else if (name == u"SwitchValue") {
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
