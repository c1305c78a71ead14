#pragma once

#include <cstdint>

// The millisecond clock that timers and animations read (32 bits, wrapping). The tick counter
// of the machine unless another clock is installed, as tests do to make time deterministic.
class CNMillisecondClock {
 public:
  virtual ~CNMillisecondClock() = default;
  virtual uint32_t Now() const = 0;

  static const CNMillisecondClock& GetCurrent();
  // Installs clock (nullptr restores the tick counter) and returns the previous one. The caller
  // keeps clock alive for as long as it is current.
  static const CNMillisecondClock* SetCurrent(const CNMillisecondClock* clock);
};
