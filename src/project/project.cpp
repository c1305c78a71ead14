#include "project/project.h"

#include <algorithm>
#include <mutex>

void CNPProject::LowerBusy(uint32_t which) {
  std::atomic<int32_t>& counter = m_busy.at(which);
  int32_t value = counter.load(std::memory_order_relaxed);
  while (value > 0 && !counter.compare_exchange_weak(value, value - 1, std::memory_order_relaxed)) {
  }
}

CNBusyCounters CNPProject::GetBusyCounters() const {
  return {m_busy[0].load(std::memory_order_relaxed), m_busy[1].load(std::memory_order_relaxed),
          m_busy[2].load(std::memory_order_relaxed)};
}

void CNPProject::AddTickListener(CNPTickListener* listener) {
  std::lock_guard guard(*this);
  if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
    m_listeners.push_back(listener);
}

void CNPProject::RemoveTickListener(CNPTickListener* listener) {
  std::lock_guard guard(*this);
  std::erase(m_listeners, listener);
}

void CNPProject::NotifyTickListeners(uint32_t code) {
  std::vector<CNPTickListener*> listeners;
  {
    std::lock_guard guard(*this);
    listeners = m_listeners;
  }
  for (CNPTickListener* listener : listeners) {
    {
      std::lock_guard guard(*this);
      if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end()) continue;
    }
    listener->OnTick(code);
  }
}
