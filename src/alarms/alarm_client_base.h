#pragma once

#include <cstdint>
#include <memory>

#include "alarms/alarm_connection_settings.h"
#include "alarms/alarm_server.h"
#include "comm/connection_settings.h"
#include "support/ref_cnt.h"

class CNExternalAlarmServerStub;

// An alarm client's connection: the stub that reaches the alarm service (this client its
// listener) and the settings this client sets for itself over the project's.
class CNAlarmClientBase : public CNAlarmClient {
 public:
  explicit CNAlarmClientBase(uint32_t keepAlivePeriodMs);
  CNAlarmClientBase(const CNAlarmClientBase&) = delete;
  CNAlarmClientBase& operator=(const CNAlarmClientBase&) = delete;
  ~CNAlarmClientBase() override;

  INAlarmServer& GetServer();
  CNAlarmConnectionSettings& GetConnectionSettings() { return m_settings; }
  // Connects with the project's settings, this client's own applied over them.
  bool Connect(uint32_t ownerId, const CNServerSettings& projectSettings);

 protected:
  // Stops the stub and its threads; a derived class calls it first in its destructor, so that no
  // pushed frame reaches a half-destroyed listener.
  void StopServer();

 private:
  CNAlarmConnectionSettings m_settings;
  CRPtr<CNConnectionSettings> m_pConnection;
  std::unique_ptr<CNExternalAlarmServerStub> m_pStub;
};
