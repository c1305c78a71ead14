#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Schedules without drawing: the master reads the schedule file and keeps the clock, each
// scheduler follows one named schedule of its master and fires when an entry comes due.
namespace schedule_properties {

inline constexpr std::u16string_view kSchedule = u"Schedule";

inline constexpr std::array kMasterEntries = {
    Prop(kSchedule, u"ScheduleFile", PT_FILE, u"", control_properties::kAllFilesFilter),
    Prop(kSchedule, u"CheckInterval", PT_INTEGER, u"1000", u",100"),  // milliseconds
};

inline constexpr std::array kSchedulerEntries = {
    Prop(kSchedule, u"ScheduleMaster", PT_STRING, u""),  // name of the master object
    Prop(kSchedule, u"ScheduleName", PT_STRING, u""),
};

}  // namespace schedule_properties

class CNPMasterSchedule : public CNObjectClass<CNPMasterSchedule, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"ScheduleMaster";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(schedule_properties::kMasterEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPScheduler : public CNObjectClass<CNPScheduler, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Scheduler";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(schedule_properties::kSchedulerEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(std::array{
      EventInfo{control_properties::kControl, u"OnSchedule", u"name,date,value"},
  });
};
