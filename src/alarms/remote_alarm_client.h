#pragma once

#include <array>
#include <string_view>

#include "alarms/external_alarm_client.h"
#include "controls/control_properties.h"
#include "screen/pobject.h"

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

// The object scripts use: "Connect" reaches the alarm service with the project's server settings
// and the "PS..." settings given to this object (through its property setter only), and every
// pushed record arrives as a script event on the user-interface thread. "AlarmStateMonitor"
// names the alarm states whose changes fire "OnAlarmStateChanged" (CNAlarmStateMonitor).
class CNPExternalAlarmClient : public CNObjectClass<CNPExternalAlarmClient, CNPControl>,
                               public CNExternalAlarmClient {
 public:
  static constexpr std::u16string_view kClassId = u"RemoteAlarmClient";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(alarm_client_properties::kAlarmClientEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(alarm_client_properties::kAlarmEvents);

  CNPExternalAlarmClient() = default;
  explicit CNPExternalAlarmClient(uint32_t keepAlivePeriodMs) : CNExternalAlarmClient(keepAlivePeriodMs) {}

  // A name beginning with "PS" is one of this object's connection settings (false, 0, for one
  // that is not); any other goes to the common setter.
  int SetProperty(std::u16string_view name, const CNValue& value) override;
  void PropertyChanged(std::u16string_view name) override;

  // Connects with the project's settings (those of the tree's root) under this object's own.
  bool ConnectServer();

 protected:
  // Pushes go to the loop of the project runtime that owns the tree.
  void OnStartRunning() override;
  // Fires the push's script event.
  void Deliver(const CNAlarmPush& push) override;
  void StateChanged(std::u16string_view name, bool state) override;
};
