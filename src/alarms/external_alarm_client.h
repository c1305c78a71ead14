#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "alarms/alarm_client_base.h"
#include "alarms/alarm_state_monitor.h"
#include "alarms/external_alarm_server_stub.h"

class CRMessageLoop;

// Moves what the alarm service pushes from the callback thread to the user-interface thread:
// the listener calls only queue, in arrival order; the first of a burst posts one task to the
// delivery loop, which hands every queued push to Deliver and keeps the alarm states
// (CNAlarmStateMonitor) over the records, on the loop's thread.
class CNExternalAlarmClient : public CNAlarmClientBase {
 public:
  explicit CNExternalAlarmClient(uint32_t keepAlivePeriodMs = CNExternalAlarmServerStub::kKeepAlivePeriodMs);
  ~CNExternalAlarmClient() override;

  // The loop of the user-interface thread. Without one, pushes wait for DeliverPending.
  void SetDeliveryLoop(CRMessageLoop* loop) { m_pLoop.store(loop, std::memory_order_release); }
  // On the user-interface thread: delivers everything queued so far; the count delivered.
  size_t DeliverPending();

  CNAlarmStateMonitor& GetStateMonitor() { return m_monitor; }

  // ---- CNAlarmClient (callback thread)
  void OnAlarmNotificationStart() override;
  void OnAlarmNotification(CNAlarmRecord record) override;
  void OnAlarmNotificationDone(const CNAlarmDone& done) override;
  void OnAlarmServerShutdown() override;

 protected:
  // One push, on the user-interface thread, in arrival order.
  virtual void Deliver(const CNAlarmPush& push) = 0;
  // A state of the monitor changed, after the record that changed it was delivered.
  virtual void StateChanged(std::u16string_view name, bool state) = 0;

 private:
  void Queue(CNAlarmPush push);

  std::mutex m_inboxLock;
  std::vector<CNAlarmPush> m_inbox;  // under m_inboxLock
  std::atomic<CRMessageLoop*> m_pLoop{nullptr};
  // Posted tasks hold it weakly: a task that outlives the client does nothing.
  std::shared_ptr<CNExternalAlarmClient*> m_pSelf;
  CNAlarmStateMonitor m_monitor;
};
