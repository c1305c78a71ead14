#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "objects/control_properties.h"
#include "objects/pobject.h"

// Switch type codes. The first five are the items of "SwitchType"; select is what grouped
// toggle buttons and radio buttons use, and no file can name it.
enum CNSwitchType : int32_t {
  SWITCH_A = 0,          // on while held
  SWITCH_B = 1,          // off while held
  SWITCH_ON = 2,         // on at release
  SWITCH_OFF = 3,        // off at release
  SWITCH_ALTERNATE = 4,  // flips at release
  SWITCH_SELECT = 5,     // on at release, and stays on
};

namespace switch_properties {

inline constexpr std::u16string_view kSwitch = u"Switch";
inline constexpr std::u16string_view kSwitchTypeItems =
    u"A_SWITCH,B_SWITCH,ON_SWITCH,OFF_SWITCH,ALTERNATE_SWITCH";

inline constexpr std::array kSwitchTypeEntries = {
    Prop(kSwitch, u"SwitchType", PT_ENUM, u"A_SWITCH", kSwitchTypeItems, 1, 0),
};

inline constexpr std::array kSwitchValueEntries = {
    Prop(kSwitch, u"SwitchValue", PT_BOOL, u"F", {}, 1, 1, kPropertySwitchValue),
};

inline constexpr std::array kSwitchEntries = JoinProperties(kSwitchTypeEntries, kSwitchValueEntries);

inline constexpr std::array kSwitchEvents = {
    EventInfo{control_properties::kControl, u"OnSwitchChanged", u"value"},
};

inline constexpr std::array kSwitchControlEvents = control_properties::WithCommonEvents(kSwitchEvents);

}  // namespace switch_properties

// What mouse and keyboard operation switches: the type and the value. Both are the stored form
// of the "SwitchType" and "SwitchValue" properties.
struct CNSwitchRecord {
  int32_t type = SWITCH_A;
  bool value = false;
};

// The base of the objects whose click switches "SwitchValue": shapes, meters, groups, forms and
// buttons.
class CNPSwitchControl : public CNPControl {
 public:
  int32_t GetSwitchType() const { return m_switch.type; }
  bool GetSwitchValue() const { return m_switch.value; }

 protected:
  int SetPropertyAt(uint32_t i, const CNValue& value) override;
  int GetPropertyAt(uint32_t i, CNValue& value) const override;
  // Not "SwitchType" and "SwitchValue", which the object keeps itself.
  bool StoresConverted(uint32_t i) const override;
  // Takes a "SwitchType" item (ignoring case) or its position; false, keeping the type, for
  // anything else.
  bool SetSwitchType(const CNValue& value);

 private:
  CNSwitchRecord m_switch;
};
