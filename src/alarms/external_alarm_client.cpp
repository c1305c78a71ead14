#include "alarms/external_alarm_client.h"

#include "support/message_loop.h"

CNExternalAlarmClient::CNExternalAlarmClient(uint32_t keepAlivePeriodMs)
    : CNAlarmClientBase(keepAlivePeriodMs), m_pSelf(std::make_shared<CNExternalAlarmClient*>(this)) {}

CNExternalAlarmClient::~CNExternalAlarmClient() {
  StopServer();
}

void CNExternalAlarmClient::Queue(CNAlarmPush push) {
  bool first = false;
  {
    std::lock_guard<std::mutex> guard(m_inboxLock);
    first = m_inbox.empty();
    m_inbox.push_back(std::move(push));
  }
  CRMessageLoop* loop = m_pLoop.load(std::memory_order_acquire);
  if (!first || !loop) return;
  loop->Post([self = std::weak_ptr<CNExternalAlarmClient*>(m_pSelf)] {
    if (const std::shared_ptr<CNExternalAlarmClient*> alive = self.lock()) (*alive)->DeliverPending();
  });
}

size_t CNExternalAlarmClient::DeliverPending() {
  std::vector<CNAlarmPush> pushes;
  {
    std::lock_guard<std::mutex> guard(m_inboxLock);
    pushes.swap(m_inbox);
  }
  const auto changed = [this](std::u16string_view name, bool state) { StateChanged(name, state); };
  for (const CNAlarmPush& push : pushes) {
    if (push.kind == CNAlarmPush::kStart) m_monitor.Reset(changed);
    Deliver(push);
    if (push.kind == CNAlarmPush::kRecord) m_monitor.Apply(push.record, changed);
  }
  return pushes.size();
}

void CNExternalAlarmClient::OnAlarmNotificationStart() {
  Queue(CNAlarmPush{CNAlarmPush::kStart, {}, {}});
}

void CNExternalAlarmClient::OnAlarmNotification(CNAlarmRecord record) {
  Queue(CNAlarmPush{CNAlarmPush::kRecord, std::move(record), {}});
}

void CNExternalAlarmClient::OnAlarmNotificationDone(const CNAlarmDone& done) {
  Queue(CNAlarmPush{CNAlarmPush::kDone, {}, done});
}

void CNExternalAlarmClient::OnAlarmServerShutdown() {
  Queue(CNAlarmPush{CNAlarmPush::kShutdown, {}, {}});
}
