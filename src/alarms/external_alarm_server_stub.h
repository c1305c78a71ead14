#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "alarms/alarm_server.h"
#include "comm/service_answer.h"
#include "comm/standard_stub.h"
#include "support/critical_handle.h"
#include "support/thread.h"

// The alarm service of the panel server, over a data-access client of its own with a callback
// channel: client kind 20, service name "AlarmService", a "KeepAlive" every 10 seconds.
// Requests and answers carry length-prefixed arguments; every answer starts with a u32 ok flag.
//
// The stub keeps the subscription it was asked for. A transport failure drops the connection
// (moving to the next node when redundancy is on); the next command or keep-alive makes it again
// and sends the subscription once more, so that pushed records resume.
//
// Every operation and every keep-alive tick holds the stub's lock. Frames pushed on the callback
// channel are decoded on the callback thread and handed to the listener there; the listener must
// not call back into the stub from that thread.
class CNExternalAlarmServerStub : public CNStandardStub,
                                  public INAlarmServer,
                                  public CRCriticalHandle,
                                  private CRThreadConnectionPoint {
 public:
  static constexpr uint8_t kClientKind = 20;
  static constexpr std::u16string_view kServiceName = u"AlarmService";
  static constexpr uint32_t kKeepAlivePeriodMs = 10000;

  // The listener (may be null) must outlive the stub.
  explicit CNExternalAlarmServerStub(CNAlarmClient* listener, uint32_t keepAlivePeriodMs = kKeepAlivePeriodMs);
  CNExternalAlarmServerStub(const CNExternalAlarmServerStub&) = delete;
  CNExternalAlarmServerStub& operator=(const CNExternalAlarmServerStub&) = delete;
  ~CNExternalAlarmServerStub() override;

  uint8_t GetClientKind() const override { return kClientKind; }
  // A pushed frame: decoded and handed to the listener; a broken one is dropped with a trace
  // line. "AlarmServerShutdown" drops the connection before the listener hears of it.
  void OnCallback(CNPacketHolder& packet) override;

  bool Open(uint32_t ownerId, CNConnectionSettings& settings) override;
  void Close() override;
  bool IsOpen() override;

  bool SubscribeSummary(std::u16string_view filter) override;
  bool SubscribeHistorical(const CNAlarmHistoricalQuery& query) override;
  bool SubscribeRealtime(std::u16string_view filter, int32_t count, int32_t count2) override;
  bool CancelSubscribe() override;
  bool Ack(std::u16string_view alarmId) override;
  bool AckPage(const std::vector<std::u16string>& alarmIds) override;
  bool AckAll() override;
  bool FireAlarm(std::u16string_view alarmId, const CNValue& value1, const CNValue& value2) override;
  bool ReloadAlarmMaster() override;
  bool RefreshServer() override;
  bool GetAlarmMasterInfo(std::u16string_view a, std::u16string_view b, const std::vector<CNValue>& rest,
                          CNValue& result) override;
  bool GetAlarmScriptResult(const CNValue& a, const CNValue& b, CNValue& result) override;
  std::u16string GetAlarmLastError() override;

 private:
  enum class Kind : uint8_t { kNone, kSummary, kHistorical, kRealtime };
  enum class Outcome : uint8_t { kOk, kRefused, kFailed };
  class Arguments;
  using ArgumentWriter = std::function<bool(Arguments&)>;

  // One command: built, sent and received with the base's retry rules, its status and ok flag
  // checked; answer (when given) gets the answer's arguments, the ok flag first.
  Outcome Command(std::u16string_view name, const ArgumentWriter& arguments = {}, CNServiceAnswer* answer = nullptr);
  // The common path of a command that needs only a connection (and, with needsSubscription,
  // an accepted subscription).
  bool Run(std::u16string_view name, const ArgumentWriter& arguments = {}, bool needsSubscription = false,
           CNServiceAnswer* answer = nullptr);
  // Records a subscription and sends it.
  bool Subscribe(Kind kind, std::function<void()> record);
  bool SendSubscription();
  // Makes the transport connection again when it was lost, and the subscription with it.
  bool EnsureLink();
  // A shutdown pushed while the lock was taken, applied by the next operation.
  void ApplyPendingShutdown();
  void DropConnection();

  bool OnThreadTick(CRThread& thread) override;

  CNAlarmClient* const m_pListener;
  bool m_bConnected = false;
  bool m_bSubscribed = false;
  Kind m_kind = Kind::kNone;
  CNAlarmHistoricalQuery m_query;  // the filter and counts of every kind
  std::atomic<bool> m_bShutdownPending{false};
  CRThreadStandard m_keepAlive;
};
