#include "panel_server_sim/alarm_service.h"

#include <algorithm>

#include "support/utf16_text.h"
#include "values/value_text.h"

namespace panel_sim {

namespace {

bool Send(PeerSocket& socket, const std::vector<uint8_t>& frame) { return socket.Send(frame.data(), frame.size()); }

// A notification to a subscriber; under the oversized-push fault a frame header whose length
// no client accepts goes first, without the frame.
bool SendNotification(PeerSocket& socket, const AlarmSubscription& subscription, const std::vector<uint8_t>& frame) {
  static constexpr uint8_t kOversized[] = {'@', 'K', 'V', '\n', 'C', 0xF0, 0xFF, 0xFF, 0xFF};
  if (subscription.oversizedPushes && !socket.Send(kOversized, sizeof kOversized)) return false;
  return Send(socket, frame);
}

}  // namespace

bool AlarmFilterMatches(std::u16string_view filter, std::u16string_view id) {
  return filter.empty() || filter == u"*" || ToUpperAscii(id).find(ToUpperAscii(filter)) != std::u16string::npos;
}

AlarmService::AlarmService(const TagTable& tags) {
  for (uint32_t i = 0; i < tags.GetCount(); ++i) {
    const TagGenerator& generator = tags.GetGenerator(i);
    if (generator.GetKind() != GeneratorKind::kSine && generator.GetKind() != GeneratorKind::kRandom) continue;
    const double limit = generator.GetLow() + kLimitFraction * (generator.GetHigh() - generator.GetLow());
    CNValue value;
    tags.Read(i, value);
    m_limits[i] = Limit{tags.GetName(i) + u".HI", tags.GetName(i), limit, value.GetNumber(0) > limit};
  }
}

void AlarmService::Record(AlarmRecord record) {
  m_history.push_back(record);
  if (m_history.size() > kHistorySize) m_history.pop_front();
  const std::vector<uint8_t> frame = AlarmNotificationFrame(record);
  for (auto& [connection, subscriber] : m_subscribers) {
    if (subscriber.subscription.kind == AlarmSubscriptionKind::kHistorical ||
        !AlarmFilterMatches(subscriber.subscription.filter, record.id))
      continue;
    SendNotification(*subscriber.callback, subscriber.subscription, frame);
  }
}

void AlarmService::Raise(std::u16string_view id, std::vector<std::u16string> comments, bool recovered) {
  const FileTime now = CurrentFileTime();
  auto found = m_active.find(id);
  const bool brandNew = found == m_active.end();
  if (brandNew) found = m_active.emplace(std::u16string(id), ActiveAlarm{}).first;
  ActiveAlarm& alarm = found->second;
  alarm.time = now;
  alarm.recovered = recovered;
  alarm.acked = false;
  alarm.comments = std::move(comments);
  Record({brandNew ? kAlarmNew : kAlarmChange, now, found->first, recovered, false, alarm.comments, brandNew});
}

void AlarmService::AckLocked(std::map<std::u16string, ActiveAlarm, std::less<>>::iterator alarm) {
  if (alarm->second.acked) return;
  alarm->second.acked = true;
  Record({kAlarmAck, CurrentFileTime(), alarm->first, alarm->second.recovered, true, alarm->second.comments, false});
}

void AlarmService::OnTagChanged(uint32_t index, const CNValue& value) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_limits.find(index);
  if (found == m_limits.end()) return;
  Limit& limit = found->second;
  const double number = value.GetNumber(0);
  const bool active = number > limit.limit;
  if (active == limit.active) return;
  limit.active = active;
  if (active) {
    if (m_active.size() < kMaxActive)
      Raise(limit.alarmId, {limit.tagName + u" above " + NumberText(limit.limit)}, false);
    return;
  }
  const auto alarm = m_active.find(limit.alarmId);
  if (alarm == m_active.end() || alarm->second.recovered) return;
  alarm->second.recovered = true;
  Record({kAlarmRecover, CurrentFileTime(), alarm->first, true, alarm->second.acked, alarm->second.comments, false});
  if (alarm->second.acked) m_active.erase(alarm);
}

bool AlarmService::Ack(std::u16string_view id) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto alarm = m_active.find(id);
  if (alarm == m_active.end()) return false;
  AckLocked(alarm);
  if (alarm->second.recovered) m_active.erase(alarm);
  return true;
}

void AlarmService::AckAll() {
  std::lock_guard<std::mutex> guard(m_lock);
  for (auto alarm = m_active.begin(); alarm != m_active.end();) {
    AckLocked(alarm);
    alarm = alarm->second.recovered ? m_active.erase(alarm) : std::next(alarm);
  }
}

bool AlarmService::Fire(std::u16string_view id, std::vector<std::u16string> comments) {
  std::lock_guard<std::mutex> guard(m_lock);
  if (!m_active.contains(id) && m_active.size() >= kMaxActive) return false;
  Raise(id, std::move(comments), true);
  return true;
}

std::vector<std::u16string> AlarmService::GetLimitAlarmIds() const {
  std::lock_guard<std::mutex> guard(m_lock);
  std::vector<std::u16string> ids;
  for (const auto& [index, limit] : m_limits) ids.push_back(limit.alarmId);
  return ids;
}

void AlarmService::Subscribe(uint64_t connection, const AlarmSubscription& subscription,
                             std::shared_ptr<PeerSocket> callback) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_subscribers[connection] = Subscriber{subscription, std::move(callback)};
}

void AlarmService::SendFirstBatch(uint64_t connection) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_subscribers.find(connection);
  if (found == m_subscribers.end()) return;
  const AlarmSubscription& subscription = found->second.subscription;
  std::vector<AlarmRecord> records;
  if (subscription.kind == AlarmSubscriptionKind::kSummary) {
    for (const auto& [id, alarm] : m_active) {
      if (AlarmFilterMatches(subscription.filter, id))
        records.push_back({kAlarmNew, alarm.time, id, alarm.recovered, alarm.acked, alarm.comments, false});
    }
  } else {
    for (const AlarmRecord& record : m_history) {
      const bool inRange = subscription.kind != AlarmSubscriptionKind::kHistorical ||
                           (record.time >= subscription.start && record.time <= subscription.end);
      if (inRange && AlarmFilterMatches(subscription.filter, record.id)) records.push_back(record);
    }
  }
  AlarmBatchSummary summary;
  summary.found = static_cast<uint32_t>(records.size());
  const size_t shown = subscription.count < 0 ? records.size()
                                              : std::min(records.size(), static_cast<size_t>(subscription.count));
  summary.shown = static_cast<uint32_t>(shown);
  PeerSocket& callback = *found->second.callback;
  Send(callback, AlarmNotificationStartFrame());
  for (size_t i = records.size() - shown; i < records.size(); ++i) {
    AlarmRecord record = records[i];
    record.brandNew = false;
    SendNotification(callback, subscription, AlarmNotificationFrame(record));
    summary.lastTime = record.time;
  }
  Send(callback, AlarmNotificationDoneFrame(summary));
}

void AlarmService::Unsubscribe(uint64_t connection) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_subscribers.erase(connection);
}

void AlarmService::Shutdown() {
  std::lock_guard<std::mutex> guard(m_lock);
  const std::vector<uint8_t> frame = AlarmServerShutdownFrame();
  for (auto& [connection, subscriber] : m_subscribers) Send(*subscriber.callback, frame);
  m_subscribers.clear();
}

}  // namespace panel_sim
