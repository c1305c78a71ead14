#include "alarms/alarm_state_monitor.h"

#include "support/utf16_text.h"

namespace {

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t' || text.front() == u'\r'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\r'))
    text.remove_suffix(1);
  return text;
}

}  // namespace

void CNAlarmStateMonitor::SetDefinition(std::u16string_view text) {
  static constexpr std::pair<std::u16string_view, Kind> kKinds[] = {
      {u"NOTACK", Kind::kNotAck},
      {u"NOTRECOVER", Kind::kNotRecover},
      {u"NOTACK_OR_NOTRECOVER", Kind::kNotAckOrNotRecover},
  };
  m_states.clear();
  while (!text.empty()) {
    const size_t end = text.find(u'\n');
    const std::u16string_view line = text.substr(0, end);
    text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
    // line := NAME "=" KIND ["," FILTER]
    const size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    const std::u16string_view name = Trim(line.substr(0, equals));
    std::u16string_view rest = line.substr(equals + 1);
    const size_t comma = rest.find(u',');
    const std::u16string kind = ToUpperAscii(Trim(rest.substr(0, comma)));
    std::u16string filter =
        comma == std::u16string_view::npos ? std::u16string() : ToUpperAscii(Trim(rest.substr(comma + 1)));
    if (filter == u"*") filter.clear();
    if (name.empty()) continue;
    for (const auto& [text, value] : kKinds)
      if (kind == text) m_states.push_back(State{std::u16string(name), value, std::move(filter), 0});
  }
  Recount();
}

bool CNAlarmStateMonitor::GetState(std::u16string_view name) const {
  for (const State& state : m_states)
    if (state.name == name) return state.count > 0;
  return false;
}

bool CNAlarmStateMonitor::Counts(const State& state, const AlarmState& alarm) {
  switch (state.kind) {
    case Kind::kNotAck:
      return !alarm.acked;
    case Kind::kNotRecover:
      return !alarm.recovered;
    case Kind::kNotAckOrNotRecover:
      return !alarm.acked || !alarm.recovered;
  }
  return false;
}

bool CNAlarmStateMonitor::Matches(const State& state, std::u16string_view upperId) {
  return state.filter.empty() || upperId.find(state.filter) != std::u16string_view::npos;
}

void CNAlarmStateMonitor::Recount() {
  for (State& state : m_states) {
    state.count = 0;
    for (const auto& [id, alarm] : m_alarms)
      if (Matches(state, ToUpperAscii(id)) && Counts(state, alarm)) ++state.count;
  }
}

std::vector<bool> CNAlarmStateMonitor::Snapshot() const {
  std::vector<bool> states;
  states.reserve(m_states.size());
  for (const State& state : m_states) states.push_back(state.count > 0);
  return states;
}

void CNAlarmStateMonitor::Report(const std::vector<bool>& before, const ChangeSink& sink) const {
  for (size_t i = 0; i < m_states.size(); ++i) {
    const bool now = m_states[i].count > 0;
    if (now != before[i] && sink) sink(m_states[i].name, now);
  }
}

void CNAlarmStateMonitor::Reset(const ChangeSink& sink) {
  const std::vector<bool> before = Snapshot();
  m_alarms.clear();
  for (State& state : m_states) state.count = 0;
  Report(before, sink);
}

void CNAlarmStateMonitor::Apply(const CNAlarmRecord& record, const ChangeSink& sink) {
  const std::vector<bool> before = Snapshot();
  const std::u16string upperId = ToUpperAscii(record.alarmId);
  auto found = m_alarms.find(record.alarmId);
  const AlarmState* old = found == m_alarms.end() ? nullptr : &found->second;
  const AlarmState now{record.recovered, record.acked};
  const bool gone = now.recovered && now.acked;
  for (State& state : m_states) {
    if (!Matches(state, upperId)) continue;
    if (old && Counts(state, *old)) --state.count;
    if (!gone && Counts(state, now)) ++state.count;
  }
  if (gone) {
    if (found != m_alarms.end()) m_alarms.erase(found);
  } else if (found != m_alarms.end()) {
    found->second = now;
  } else {
    m_alarms.emplace(record.alarmId, now);
  }
  Report(before, sink);
}
