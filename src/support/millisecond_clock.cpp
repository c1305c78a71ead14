#include "support/millisecond_clock.h"

#include <atomic>

#include "support/file_time.h"

namespace {

class TickClock : public CNMillisecondClock {
 public:
  uint32_t Now() const override { return CRTickCount(); }
};

const TickClock s_tickClock;
std::atomic<const CNMillisecondClock*> s_current{nullptr};

}  // namespace

const CNMillisecondClock& CNMillisecondClock::GetCurrent() {
  const CNMillisecondClock* clock = s_current.load(std::memory_order_acquire);
  return clock ? *clock : s_tickClock;
}

const CNMillisecondClock* CNMillisecondClock::SetCurrent(const CNMillisecondClock* clock) {
  return s_current.exchange(clock, std::memory_order_acq_rel);
}
