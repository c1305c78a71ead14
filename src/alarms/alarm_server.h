#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "alarms/alarm_record.h"
#include "values/value.h"

class CNConnectionSettings;

// Receives what the alarm service pushes, on the thread the frames arrive on (the data-access
// client's callback thread): the listener hands it on to the thread where scripts run.
class CNAlarmClient {
 public:
  virtual ~CNAlarmClient() = default;
  virtual void OnAlarmNotificationStart() = 0;
  virtual void OnAlarmNotification(CNAlarmRecord record) = 0;
  virtual void OnAlarmNotificationDone(const CNAlarmDone& done) = 0;
  // The connection to the service has already been dropped.
  virtual void OnAlarmServerShutdown() = 0;
};

// The parameters of a historical subscription, as the script gave them.
struct CNAlarmHistoricalQuery {
  std::u16string filter;
  int32_t count = -1;
  FileTime start = 0;
  FileTime end = 0;
  bool flag1 = true;
  bool flag2 = true;
  int32_t count2 = -1;
  bool flag3 = false;
};

// The commands of the panel server's alarm service. Each fails with a last-error text: "Not
// connected." before Connect (or after a disconnect, also one the server asked for), "Already
// subscribed." for a second subscription, "Not subscribe." for an acknowledgement without an
// accepted subscription, "Error from server." when the service answers ok 0, or the transport's
// text after a transport failure (which drops the connection; the next command makes it again).
class INAlarmServer {
 public:
  virtual ~INAlarmServer() = default;

  // Connects to the service of the settings' current node ("Connect" of the scripts); already
  // connected: true.
  virtual bool Open(uint32_t ownerId, CNConnectionSettings& settings) = 0;
  // Drops the connection and the subscription ("DisConnect").
  virtual void Close() = 0;
  // Whether the client side holds the connection wanted (set by Open, cleared by Close and by
  // the server's shutdown); the transport may be down in between.
  virtual bool IsOpen() = 0;

  virtual bool SubscribeSummary(std::u16string_view filter) = 0;
  virtual bool SubscribeHistorical(const CNAlarmHistoricalQuery& query) = 0;
  virtual bool SubscribeRealtime(std::u16string_view filter, int32_t count, int32_t count2) = 0;
  virtual bool CancelSubscribe() = 0;

  virtual bool Ack(std::u16string_view alarmId) = 0;
  virtual bool AckPage(const std::vector<std::u16string>& alarmIds) = 0;
  virtual bool AckAll() = 0;
  virtual bool FireAlarm(std::u16string_view alarmId, const CNValue& value1, const CNValue& value2) = 0;

  virtual bool ReloadAlarmMaster() = 0;
  virtual bool RefreshServer() = 0;
  // The service's answer after its ok flag, as a value (the empty value when it sent none).
  virtual bool GetAlarmMasterInfo(std::u16string_view a, std::u16string_view b, const std::vector<CNValue>& rest,
                                  CNValue& result) = 0;
  virtual bool GetAlarmScriptResult(const CNValue& a, const CNValue& b, CNValue& result) = 0;

  virtual std::u16string GetAlarmLastError() = 0;
};
