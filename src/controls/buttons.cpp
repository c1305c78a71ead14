#include "controls/buttons.h"

#include "values/enum_value.h"

bool CNPCommandButton::IsPushed() const {
  CNValue type;
  GetProperty(u"PushType", type);
  switch (CNEnum::ItemIndex(button_properties::kPushTypeItems, type.GetTextEmptyNA(0))) {
    case button_properties::PUSH_MOUSE:
      return IsSwitchHeld();
    case button_properties::PUSH_VALUE:
      return GetSwitchValue();
    default:
      return false;
  }
}

int32_t CNPToggleButton::GetOperatingType() const {
  return CNSwitchGroup::FindGroupObject(*this) ? SWITCH_SELECT : SWITCH_ALTERNATE;
}

int CNPCheckBox::SetProperty(std::u16string_view name, const CNValue& value) {
  if (name != u"SwitchType") return CNPSwitchControl::SetProperty(name, value);
  if (!SetSwitchType(value)) return 0;
  m_bSwitchTypeGiven = true;
  return 1;
}

int32_t CNPCheckBox::GetOperatingType() const {
  return m_bSwitchTypeGiven ? GetSwitchType() : SWITCH_ALTERNATE;
}
