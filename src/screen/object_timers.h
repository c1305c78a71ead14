#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "support/ref_cnt.h"

inline constexpr uint32_t kTimerUnlimited = 0xFFFFFFFF;  // remaining count of a timer that never ends
inline constexpr uint32_t kTimerDefaultLatenessCap = 10000;

// One timer of an object.
struct TIMER : CRRefCnt {
  uint16_t id = 0;        // the "timerid" of "OnTimer"
  uint32_t lastFire = 0;  // millisecond clock at the last firing (at creation before the first)
  uint32_t interval = 0;  // milliseconds
  int64_t lateness = 0;   // accumulated lateness in milliseconds, at most the cap
  uint32_t latenessCap = kTimerDefaultLatenessCap;
  double catchUp = 0.0;                  // share of one interval that may be made up per firing
  int64_t carry = 0;                     // milliseconds credited towards the next firing
  uint32_t remaining = kTimerUnlimited;  // kTimerUnlimited: never ends; 0: finished
  bool paused = false;
};

// The timers of one object, by id.
class CNObjectTimers {
 public:
  // Receives each firing: the timer's id and its remaining count after the firing.
  using FireHandler = std::function<void(uint16_t id, uint32_t remaining)>;

  // A new timer whose interval starts at now; false, changing nothing, when the id is taken.
  bool Set(uint16_t id, uint32_t interval, uint32_t count, double catchUp, uint32_t latenessCap,
           uint32_t now);
  // False when there is no timer with that id.
  bool Kill(uint16_t id);
  void KillAll() { m_timers.clear(); }
  // A paused timer does not fire; resuming starts its interval again at now, so that the pause
  // does not count as lateness. False when there is no timer with that id.
  bool Pause(uint16_t id, bool paused, uint32_t now);

  // Fires every due timer once (in id order), then removes the finished ones. The handler may
  // set and kill timers of the same object: a timer killed by an earlier handler of the same
  // walk does not fire, one set during the walk waits for the next.
  void Run(uint32_t now, const FireHandler& fire);

  const TIMER* Find(uint16_t id) const;
  uint32_t GetCount() const { return static_cast<uint32_t>(m_timers.size()); }

 private:
  // The firing rule of one timer; true when it fired.
  static bool Step(TIMER& timer, uint32_t now);

  std::map<uint16_t, CRPtr<TIMER>> m_timers;
};
