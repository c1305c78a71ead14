#pragma once

#include <array>
#include <cstdint>

// The tick codes the project window handles on the user-interface thread.
enum CNTickCode : uint32_t {
  TICK_CYCLE = 0,        // the fixed 20 ms cycle
  TICK_REFRESH = 1,      // bound values and screens, every refresh period
  TICK_OPEN = 2,         // a queued project open
  TICK_SHUTDOWN = 3,     // a queued shutdown
  TICK_COMMON_EVENT = 4, // a queued "OnCommonEvent"
  TICK_RUN_PROGRAM = 5,  // a queued program start
  TICK_FAST = 6,         // the fast cycle while something is busy
  TICK_SEVENTH = 7,
};

// The tick thread sleeps this long per iteration (1 ms in the fastest mode).
inline constexpr uint32_t kTickResolutionMs = 10;
inline constexpr uint32_t kCyclePeriodMs = 20;

// What one iteration of the tick thread does: the codes it sends in order, how long it sleeps
// afterwards, and whether the iteration counter advances.
struct CNTickStep {
  std::array<uint8_t, 3> codes{};
  uint8_t count = 0;
  uint32_t sleepMs = kTickResolutionMs;
  bool advance = true;
};

// The three busy counters; the first that is raised chooses the mode.
using CNBusyCounters = std::array<int32_t, 3>;

// Iterations per refresh: the period over the tick resolution, at least 1.
uint32_t TickDivisor(uint32_t periodMs);

// The iteration with counter n (a 16-bit count that wraps), refresh divisor R and cycle
// divisor C:
//   first counter raised:  code 6, sleep 1 ms, n stays;
//   second counter raised: code 6, then 1 when R divides n, then 0 when C divides n;
//   third counter raised:  1 when R divides n, then 6 and 0 when C divides n;
//   otherwise:             1 when R divides n, then 0 when C divides n.
CNTickStep ScheduleTick(uint16_t n, uint32_t refreshDivisor, uint32_t cycleDivisor, const CNBusyCounters& busy);
