#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// A month calendar from which the operator picks a day. Files also name the class "Calender";
// such objects are calendars like any other and are written back as "Calendar".
namespace calendar_properties {

using namespace control_properties;

inline constexpr std::u16string_view kCalendar = u"Calendar";

inline constexpr std::array kCalendarEntries = {
    Prop(kCalendar, u"SelectedDate", PT_STRING, nullptr, {}, 0, 1),  // the picked day, run time only
    Prop(kCalendar, u"FirstDayOfWeek", PT_ENUM, u"SUNDAY", u"SUNDAY,MONDAY"),
    Prop(kCalendar, u"SaturdayColor", PT_COLOR, u"#0000FF"),
    Prop(kCalendar, u"SundayColor", PT_COLOR, u"#FF0000"),
    Prop(kCalendar, u"TodayColor", PT_COLOR, u"@ButtonPushColor", {}, 1, 1, kPropertyColor),
};

inline constexpr std::array kCalendarEvents = {
    EventInfo{kControl, u"OnDateSelected", u"date"},
};

}  // namespace calendar_properties

class CNPCalendar : public CNObjectClass<CNPCalendar, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Calendar";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      calendar_properties::kCalendarEntries, control_properties::kSelectedColorEntries,
      control_properties::kFormatDateEntries, control_properties::kTextLookEntries,
      control_properties::BorderEntries(u"T"), control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(calendar_properties::kCalendarEvents);
};
