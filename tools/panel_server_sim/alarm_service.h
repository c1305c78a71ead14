#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "panel_server_sim/alarm_frames.h"
#include "panel_server_sim/socket_io.h"
#include "panel_server_sim/tag_table.h"

namespace panel_sim {

enum class AlarmSubscriptionKind : uint8_t { kSummary, kHistorical, kRealtime };

struct AlarmSubscription {
  AlarmSubscriptionKind kind = AlarmSubscriptionKind::kSummary;
  // Matches alarm ids that hold it, ignoring case; "" and "*" match every id.
  std::u16string filter;
  int32_t count = -1;  // at most this many records in the first batch; negative: no limit
  FileTime start = 0;  // historical: the records' time range
  FileTime end = ~FileTime{0};
  // The oversized-push fault: every notification follows the header of a frame far too large.
  bool oversizedPushes = false;
};

// The alarm service: the alarms now active, a history of alarm events, and the subscribers to
// whom events are pushed as "AlarmNotification" frames on their callback channels.
//
// Alarms come from two sources. Every number tag driven by a sine or random generator has a
// high limit at 90% of its range: crossing it raises the alarm "<tag>.HI", falling back to or
// below it recovers the alarm. And clients fire alarms of their own ("FireAlarm"), which are
// events: raised already recovered. An alarm leaves the active set once it is both recovered
// and acknowledged. Safe to use from any thread.
class AlarmService : public TagTableListener {
 public:
  static constexpr size_t kHistorySize = 1000;
  static constexpr size_t kMaxActive = 10000;
  static constexpr double kLimitFraction = 0.9;

  // Sets up the limits of the table's tags; the caller registers the service as the table's
  // listener.
  explicit AlarmService(const TagTable& tags);

  // Records the connection's subscription (replacing any earlier one); its first batch is sent
  // by SendFirstBatch, once the subscription has been answered.
  void Subscribe(uint64_t connection, const AlarmSubscription& subscription, std::shared_ptr<PeerSocket> callback);
  void SendFirstBatch(uint64_t connection);
  void Unsubscribe(uint64_t connection);

  bool Ack(std::u16string_view id);  // false when no such alarm is active
  void AckAll();
  bool Fire(std::u16string_view id, std::vector<std::u16string> comments);  // false when full
  // The ids of the limit alarms the service watches.
  std::vector<std::u16string> GetLimitAlarmIds() const;
  // Tells every subscriber that the service is shutting down and forgets them.
  void Shutdown();
  // Counts an answered alarm command; the count so far, this one included.
  uint32_t CountAnswer() { return m_ulAnswers.fetch_add(1, std::memory_order_relaxed) + 1; }

  void OnTagChanged(uint32_t index, const CNValue& value) override;

 private:
  struct Limit {
    std::u16string alarmId;
    std::u16string tagName;
    double limit = 0.0;
    bool active = false;
  };
  struct ActiveAlarm {
    FileTime time = 0;
    bool recovered = false;
    bool acked = false;
    std::vector<std::u16string> comments;
  };
  struct Subscriber {
    AlarmSubscription subscription;
    std::shared_ptr<PeerSocket> callback;
  };

  // Applies an event to the active set, keeps it in the history and pushes it to the live
  // subscribers whose filter matches. Called with the lock held.
  void Record(AlarmRecord record);
  void Raise(std::u16string_view id, std::vector<std::u16string> comments, bool recovered);
  void AckLocked(std::map<std::u16string, ActiveAlarm, std::less<>>::iterator alarm);

  mutable std::mutex m_lock;
  std::map<uint32_t, Limit> m_limits;  // by tag index
  std::map<std::u16string, ActiveAlarm, std::less<>> m_active;
  std::deque<AlarmRecord> m_history;
  std::map<uint64_t, Subscriber> m_subscribers;
  std::atomic<uint32_t> m_ulAnswers{0};
};

bool AlarmFilterMatches(std::u16string_view filter, std::u16string_view id);

}  // namespace panel_sim
