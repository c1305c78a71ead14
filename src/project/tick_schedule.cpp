#include "project/tick_schedule.h"

namespace {

void Add(CNTickStep& step, uint8_t code) { step.codes[step.count++] = code; }

bool Divides(uint32_t divisor, uint16_t n) { return divisor != 0 && n % divisor == 0; }

}  // namespace

uint32_t TickDivisor(uint32_t periodMs) {
  const uint32_t divisor = periodMs / kTickResolutionMs;
  return divisor == 0 ? 1 : divisor;
}

CNTickStep ScheduleTick(uint16_t n, uint32_t refreshDivisor, uint32_t cycleDivisor, const CNBusyCounters& busy) {
  CNTickStep step;
  const bool refresh = Divides(refreshDivisor, n);
  const bool cycle = Divides(cycleDivisor, n);
  if (busy[0] >= 1) {
    Add(step, TICK_FAST);
    step.sleepMs = 1;
    step.advance = false;
  } else if (busy[1] >= 1) {
    Add(step, TICK_FAST);
    if (refresh) Add(step, TICK_REFRESH);
    if (cycle) Add(step, TICK_CYCLE);
  } else if (busy[2] >= 1) {
    if (refresh) Add(step, TICK_REFRESH);
    if (cycle) {
      Add(step, TICK_FAST);
      Add(step, TICK_CYCLE);
    }
  } else {
    if (refresh) Add(step, TICK_REFRESH);
    if (cycle) Add(step, TICK_CYCLE);
  }
  return step;
}
