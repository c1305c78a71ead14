#include "controls/switch_control.h"

#include <optional>
#include <utility>

#include "controls/switch_group.h"
#include "values/enum_value.h"

namespace {

constexpr std::u16string_view kSwitchType = u"SwitchType";
constexpr std::u16string_view kSwitchValue = u"SwitchValue";
constexpr uint32_t kSpaceKey = 32;

using Op = CNSwitchOperation;

}  // namespace

// ---- operations

template <class BaseHandler>
void CNPSwitchControl::Handle(bool applies, CNSwitchOperation operation, BaseHandler&& baseHandler) {
  const CRPtr<CNPObject> self = CRPtr<CNPObject>::Retain(this);
  if (applies) Operate(operation);
  baseHandler();
}

void CNPSwitchControl::Operate(CNSwitchOperation operation) {
  const CNSwitchRecord before = m_switch;
  const std::optional<bool> assigned = m_switch.Operate(GetOperatingType(), operation);
  if (assigned) {
    Assign(*assigned);
  } else if (m_switch.redraw && (m_switch.done != before.done || m_switch.held != before.held)) {
    RequestRedraw();  // the press look changed
  }
}

void CNPSwitchControl::Assign(bool value) {
  if (!m_switch.busy) {
    m_switch.busy = true;
    m_switch.value = value;
    CNValue arg;
    arg.SetBool(value);
    FireEvent(u"OnSwitchChanged", &arg, 1);
    SwitchChanged(value);
    m_switch.busy = false;
  }
  PropertyChanged(kSwitchValue);
  if (m_switch.redraw) RequestRedraw();
}

void CNPSwitchControl::KeyDown(uint32_t keyCode, uint32_t flags) {
  Handle(keyCode == kSpaceKey && HasState(kStateFocus), Op::Press, [&] { CNPControl::KeyDown(keyCode, flags); });
}

void CNPSwitchControl::KeyUp(uint32_t keyCode, uint32_t flags) {
  Handle(keyCode == kSpaceKey && HasState(kStateFocus), Op::Release, [&] { CNPControl::KeyUp(keyCode, flags); });
}

void CNPSwitchControl::MouseOut(const CNPoint& at) {
  Handle(!IsLeavingIgnored(), Op::Leave, [&] { CNPControl::MouseOut(at); });
}

void CNPSwitchControl::ButtonDown(CNMouseButton button, const CNPoint& at) {
  Handle(button == MOUSE_LEFT, Op::Press, [&] { CNPControl::ButtonDown(button, at); });
}

void CNPSwitchControl::ButtonUp(CNMouseButton button, const CNPoint& at) {
  // Also when leaving the object cancelled the press: the release is the switch's to judge.
  Handle(button == MOUSE_LEFT, Op::Release, [&] { CNPControl::ButtonUp(button, at); });
}

void CNPSwitchControl::ButtonDblClick(CNMouseButton button, const CNPoint& at) {
  Handle(button == MOUSE_LEFT, Op::Press, [&] { CNPControl::ButtonDblClick(button, at); });
}

void CNPSwitchControl::OnStartRunning() {
  if (GetOperatingType() != SWITCH_B) return;
  // Shown by the first paint anyway.
  const bool redraw = std::exchange(m_switch.redraw, false);
  CNValue on;
  on.SetBool(true);
  SetProperty(kSwitchValue, on);
  m_switch.redraw = redraw;
}

void CNPSwitchControl::PropertyChanged(std::u16string_view name) {
  CNPControl::PropertyChanged(name);
  if (name == CNSwitchGroup::kGroupValue) CNSwitchGroup::FollowGroupValue(*this);
}

// ---- properties

int CNPSwitchControl::SetPropertyAt(uint32_t i, const CNValue& value) {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  if (name == kSwitchType) return SetSwitchType(value) ? 1 : 0;
  if (name == kSwitchValue) {
    m_switch.value = value.GetBool(0);
    if (m_switch.redraw) RequestRedraw();
    return 1;
  }
  return CNPControl::SetPropertyAt(i, value);
}

bool CNPSwitchControl::StoresConverted(uint32_t i) const {
  const std::u16string_view name = GetClassProperties().GetInfo(i).name;
  return name != kSwitchType && name != kSwitchValue && CNPControl::StoresConverted(i);
}

bool CNPSwitchControl::RedrawsWhenSet(uint32_t i) const {
  return GetClassProperties().GetInfo(i).name != kSwitchValue && CNPControl::RedrawsWhenSet(i);
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
