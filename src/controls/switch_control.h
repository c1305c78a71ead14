#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "controls/control_properties.h"
#include "controls/switch_record.h"
#include "screen/pobject.h"

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

// The base of the objects whose click switches "SwitchValue": shapes, meters, groups, forms and
// buttons.
//
// The left button (also the second press of a double click) and the space key, while the object
// has the focus, press and release the switch; the mouse leaving the object is a leave. Each runs
// the switch operation first, then the base handler (state properties and mouse events). An
// operation that assigns a value fires "OnSwitchChanged" with it, even when it did not change.
//
// Writing "SwitchValue" as a property (file, bind, script) stores the value and reports the
// change like any property; it fires no "OnSwitchChanged", so a value that came from a tag
// reaches no handler that could write it back.
class CNPSwitchControl : public CNPControl {
 public:
  // The stored "SwitchType"; GetOperatingType is the type the operations run with.
  int32_t GetSwitchType() const { return m_switch.type; }
  bool GetSwitchValue() const { return m_switch.value; }
  // A press is in progress: the left button or the space key went down on the object and has
  // neither been released nor left it.
  bool IsSwitchHeld() const { return m_switch.held; }
  // The type the operations run with: the stored type unless the class fixes its own.
  virtual int32_t GetOperatingType() const { return m_switch.type; }

  void KeyDown(uint32_t keyCode, uint32_t flags) override;
  void KeyUp(uint32_t keyCode, uint32_t flags) override;
  void MouseOut(const CNPoint& at) override;
  void ButtonDown(CNMouseButton button, const CNPoint& at) override;
  void ButtonUp(CNMouseButton button, const CNPoint& at) override;
  void ButtonDblClick(CNMouseButton button, const CNPoint& at) override;

  // A change of "GroupValue" also tells the buttons whose group object this is.
  void PropertyChanged(std::u16string_view name) override;

 protected:
  // Called with every value an operation assigns, while "OnSwitchChanged" may not assign again.
  virtual void SwitchChanged(bool /*value*/) {}
  // A B_SWITCH starts on: a normally closed contact.
  void OnStartRunning() override;
  // For classes whose record starts otherwise.
  CNSwitchRecord& GetSwitchRecord() { return m_switch; }

  int SetPropertyAt(uint32_t i, const CNValue& value) override;
  int GetPropertyAt(uint32_t i, CNValue& value) const override;
  // Not "SwitchType" and "SwitchValue", which the object keeps itself.
  bool StoresConverted(uint32_t i) const override;
  // "SwitchValue" is redrawn as the switch record says.
  bool RedrawsWhenSet(uint32_t i) const override;
  // Takes a "SwitchType" item (ignoring case) or its position; false, keeping the type, for
  // anything else.
  bool SetSwitchType(const CNValue& value);

 private:
  // Runs the operation when it applies, then the base handler, keeping the object alive through
  // both whatever their handlers release.
  template <class BaseHandler>
  void Handle(bool applies, CNSwitchOperation operation, BaseHandler&& baseHandler);
  void Operate(CNSwitchOperation operation);
  // Stores the value and fires "OnSwitchChanged" (unless that is already running), reports the
  // change of "SwitchValue" (so that its output bind writes it) and asks for a redraw.
  void Assign(bool value);

  CNSwitchRecord m_switch;
};
