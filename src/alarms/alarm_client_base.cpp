#include "alarms/alarm_client_base.h"

#include "alarms/external_alarm_server_stub.h"

CNAlarmClientBase::CNAlarmClientBase(uint32_t keepAlivePeriodMs)
    : m_pStub(std::make_unique<CNExternalAlarmServerStub>(this, keepAlivePeriodMs)) {}

CNAlarmClientBase::~CNAlarmClientBase() {
  StopServer();
}

INAlarmServer& CNAlarmClientBase::GetServer() {
  return *m_pStub;
}

bool CNAlarmClientBase::Connect(uint32_t ownerId, const CNServerSettings& projectSettings) {
  // Settings in use stay with the stub until it connects anew.
  if (m_pStub->IsOpen()) return true;
  m_pConnection = CRPtr<CNConnectionSettings>::Make(m_settings.Apply(projectSettings));
  return m_pStub->Open(ownerId, *m_pConnection);
}

void CNAlarmClientBase::StopServer() {
  m_pStub->Close();
}
