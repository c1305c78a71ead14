#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "project/tick_schedule.h"
#include "support/critical_handle.h"

// Receives every tick code after the root client and the views.
class CNPTickListener {
 public:
  virtual ~CNPTickListener() = default;
  virtual void OnTick(uint32_t code) = 0;
};

// The state of a project runtime that the tick thread reads (single words the user-interface
// thread writes) and the tick listeners, which the lock guards.
class CNPProject : public CRCriticalHandle {
 public:
  bool IsOpen() const { return m_bOpen.load(std::memory_order_acquire); }

  // The refresh period (from "RefreshRate") and the fixed cycle period, in milliseconds.
  uint32_t GetRefreshPeriod() const { return m_ulRefreshPeriod.load(std::memory_order_relaxed); }
  uint32_t GetCyclePeriod() const { return kCyclePeriodMs; }

  // The three busy counters that choose the tick mode (index 0 to 2).
  void RaiseBusy(uint32_t which) { m_busy.at(which).fetch_add(1, std::memory_order_relaxed); }
  void LowerBusy(uint32_t which);
  CNBusyCounters GetBusyCounters() const;

  void AddTickListener(CNPTickListener* listener);
  void RemoveTickListener(CNPTickListener* listener);

 protected:
  void SetOpen(bool open) { m_bOpen.store(open, std::memory_order_release); }
  void SetRefreshPeriod(uint32_t periodMs) { m_ulRefreshPeriod.store(periodMs, std::memory_order_relaxed); }
  // Hands code to every listener, in the order they were added; a listener may remove itself.
  void NotifyTickListeners(uint32_t code);

 private:
  std::atomic<bool> m_bOpen{false};
  std::atomic<uint32_t> m_ulRefreshPeriod{100};
  std::array<std::atomic<int32_t>, 3> m_busy{};
  std::vector<CNPTickListener*> m_listeners;
};
