#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "controls/pobject.h"

// The remote alarm client: subscribes to the alarm lists of a panel server's alarm service and
// hands every pushed alarm record to its script as an event.
namespace alarm_client_properties {

inline constexpr std::array kAlarmClientEntries = {
    Prop(control_properties::kText, u"Text", PT_STRING, u""),
    Prop(u"Alarm", u"AlarmStateMonitor", PT_TEXT, u""),
    Prop(u"AlarmServer", u"AlarmServer", PT_STRING, u""),
};

inline constexpr std::array kAlarmEvents = {
    EventInfo{control_properties::kControl, u"OnAlarmNotificationStart", u""},
    EventInfo{control_properties::kControl, u"OnAlarmNotification",
              u"type,date,alarmId,bRecovered,bAcked,comments,bBrandNew"},
    EventInfo{
        control_properties::kControl, u"OnAlarmNotificationDone",
        u"bComplete,showRecordCnt,searchRecordCnt,actualShowRecordCnt,actualSearchRecordCnt,lastRecordDate"},
    EventInfo{control_properties::kControl, u"OnAlarmServerShutdown", u""},
    EventInfo{control_properties::kControl, u"OnAlarmStateChanged", u"stateName, bState"},
};

}  // namespace alarm_client_properties

class CNPExternalAlarmClient : public CNObjectClass<CNPExternalAlarmClient, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"RemoteAlarmClient";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(alarm_client_properties::kAlarmClientEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(alarm_client_properties::kAlarmEvents);
};
