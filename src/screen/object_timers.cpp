#include "screen/object_timers.h"

#include <algorithm>
#include <cmath>
#include <vector>

bool CNObjectTimers::Set(uint16_t id, uint32_t interval, uint32_t count, double catchUp, uint32_t latenessCap,
                         uint32_t now) {
  if (m_timers.contains(id)) return false;
  auto timer = CRPtr<TIMER>::Make();
  timer->id = id;
  timer->lastFire = now;
  timer->interval = interval;
  timer->latenessCap = latenessCap;
  timer->catchUp = std::isfinite(catchUp) && catchUp > 0 ? catchUp : 0.0;
  timer->remaining = count;
  m_timers.emplace(id, std::move(timer));
  return true;
}

bool CNObjectTimers::Kill(uint16_t id) {
  return m_timers.erase(id) > 0;
}

bool CNObjectTimers::Pause(uint16_t id, bool paused, uint32_t now) {
  const auto it = m_timers.find(id);
  if (it == m_timers.end()) return false;
  TIMER& timer = *it->second;
  if (timer.paused && !paused) timer.lastFire = now;
  timer.paused = paused;
  return true;
}

const TIMER* CNObjectTimers::Find(uint16_t id) const {
  const auto it = m_timers.find(id);
  return it == m_timers.end() ? nullptr : it->second.Get();
}

bool CNObjectTimers::Step(TIMER& timer, uint32_t now) {
  const uint32_t elapsed = now - timer.lastFire;  // the clock wraps at 32 bits
  if (timer.carry + elapsed < timer.interval) return false;
  timer.lateness += static_cast<int64_t>(elapsed) - timer.interval;
  timer.lastFire = now;
  timer.lateness = std::min<int64_t>(timer.lateness, timer.latenessCap);
  // At most the catch-up share of one interval may be made up by the next firing.
  const double share = std::trunc(timer.interval * timer.catchUp);
  const int64_t credit =
      share >= static_cast<double>(timer.latenessCap) ? timer.latenessCap : static_cast<int64_t>(share);
  timer.carry = std::min(credit, timer.lateness);
  if (timer.remaining != kTimerUnlimited) --timer.remaining;
  return true;
}

void CNObjectTimers::Run(uint32_t now, const FireHandler& fire) {
  std::vector<CRPtr<TIMER>> walk;
  walk.reserve(m_timers.size());
  for (const auto& [id, timer] : m_timers) walk.push_back(timer);
  for (const CRPtr<TIMER>& timer : walk) {
    const auto it = m_timers.find(timer->id);
    if (it == m_timers.end() || it->second != timer) continue;  // killed (or replaced) meanwhile
    if (timer->remaining == 0 || timer->paused || !Step(*timer, now)) continue;
    fire(timer->id, timer->remaining);
  }
  std::erase_if(m_timers, [](const auto& entry) { return entry.second->remaining == 0; });
}
