#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "alarms/alarm_record.h"

// The alarm states an "AlarmStateMonitor" text names, kept over the records received. One state
// per line:
//   NAME=KIND[,FILTER]
// KIND is "notack" (some alarm is not acknowledged), "notrecover" (some alarm has not
// recovered) or "notack_or_notrecover" (some alarm is either), ignoring case; FILTER limits the
// state to the alarm ids that hold it, ignoring case ("" or "*": every id). Blanks around the
// parts are ignored; empty lines and lines of another form are skipped. Every state starts false.
//
// An alarm is known from its last record until it is both recovered and acknowledged; a new
// batch ("AlarmNotificationStart") starts from no alarms.
class CNAlarmStateMonitor {
 public:
  enum class Kind : uint8_t { kNotAck, kNotRecover, kNotAckOrNotRecover };

  // Receives each change of a state: its name and its new truth value.
  using ChangeSink = std::function<void(std::u16string_view name, bool state)>;

  // Reads the states (replacing any earlier ones); the alarms known so far are kept and the
  // states are evaluated over them at once, without reporting.
  void SetDefinition(std::u16string_view text);
  size_t GetStateCount() const { return m_states.size(); }
  // The truth value of the named state; false for a name not defined.
  bool GetState(std::u16string_view name) const;

  // Forgets every alarm (a new batch) and reports the states that turn false.
  void Reset(const ChangeSink& sink);
  // Takes a record into account and reports the states that changed.
  void Apply(const CNAlarmRecord& record, const ChangeSink& sink);

 private:
  struct AlarmState {
    bool recovered = false;
    bool acked = false;
  };
  struct State {
    std::u16string name;
    Kind kind = Kind::kNotAck;
    std::u16string filter;  // upper case; empty for every id
    uint32_t count = 0;     // known alarms that make the state true
  };

  static bool Counts(const State& state, const AlarmState& alarm);
  static bool Matches(const State& state, std::u16string_view upperId);
  void Recount();
  void Report(const std::vector<bool>& before, const ChangeSink& sink) const;
  std::vector<bool> Snapshot() const;

  std::vector<State> m_states;
  std::map<std::u16string, AlarmState, std::less<>> m_alarms;  // by id
};
