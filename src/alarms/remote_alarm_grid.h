#pragma once

#include <array>
#include <string_view>

#include "alarms/remote_alarm_client.h"
#include "controls/grid_controls.h"

// The remote alarm grid: a remote alarm client that also shows the records it receives as rows
// of a table.
class CNPExternalAlarmGrid : public CNObjectClass<CNPExternalAlarmGrid, CNPExternalAlarmClient> {
 public:
  static constexpr std::u16string_view kClassId = u"RemoteAlarmGrid";
  static constexpr std::array kAlarmGridEntries = {
      Prop(u"Alarm", u"NewAlarmColor", PT_COLOR, u"#FF0000"),
      Prop(u"Alarm", u"AckedAlarmColor", PT_COLOR, u"#FFFF00"),
      Prop(u"Alarm", u"RecoveredAlarmColor", PT_COLOR, u"@TextColor"),
  };
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      alarm_client_properties::kAlarmClientEntries, kAlarmGridEntries,
      control_properties::kFormatDateTimeEntries, grid_properties::kTableEntries);
};
