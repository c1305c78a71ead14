#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Time grids: a day divided into time slots that the operator switches on and off, for example
// to edit an operating schedule. The series grid lays the slots out in rows, the rotary grid
// around a dial.
namespace time_grid_properties {

using namespace control_properties;

inline constexpr std::u16string_view kTimeGrid = u"TimeGrid";

inline constexpr std::array kTimeGridEntries = {
    Prop(kTimeGrid, u"SlotMinutes", PT_INTEGER, u"30", u"1440,1"),
    Prop(kTimeGrid, u"Slots", PT_STRING, u""),  // one "0" or "1" per slot from midnight
    Prop(kTimeGrid, u"OnColor", PT_COLOR, u"@LightOnColor", {}, 1, 1, kPropertyColor),
    Prop(kTimeGrid, u"OffColor", PT_COLOR, u"@LightOffColor", {}, 1, 1, kPropertyColor),
    Prop(kTimeGrid, u"GridLineColor", PT_COLOR, u"@BorderColor"),
};

inline constexpr std::array kSeriesEntries = {
    Prop(kTimeGrid, u"RowCount", PT_INTEGER, u"2", u",1"),
};

inline constexpr std::array kRotaryEntries = {
    Prop(kTimeGrid, u"StartAngle", PT_INTEGER, u"0", u"360,-360"),  // where midnight stands
};

inline constexpr std::array kTimeGridEvents = {
    EventInfo{kControl, u"OnSlotsChanged", u"slots"},
};

}  // namespace time_grid_properties

class CNPTimeGridSeries : public CNObjectClass<CNPTimeGridSeries, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"TimeGridSeries";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      time_grid_properties::kTimeGridEntries, time_grid_properties::kSeriesEntries,
      control_properties::kFormatTimeEntries, control_properties::kTextLookEntries,
      control_properties::BorderEntries(u"T"), control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(time_grid_properties::kTimeGridEvents);
};

class CNPTimeGridRotary : public CNObjectClass<CNPTimeGridRotary, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"TimeGridRotary";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      time_grid_properties::kTimeGridEntries, time_grid_properties::kRotaryEntries,
      control_properties::kFormatTimeEntries, control_properties::kTextLookEntries,
      control_properties::BorderEntries(u"F"), control_properties::FillEntries(u"F"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(time_grid_properties::kTimeGridEvents);
};
