#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

// A signalled/unsignalled flag that threads wait on. An auto-reset event lets one waiter
// through per Set and becomes unsignalled again; a manual-reset event stays signalled, letting
// every waiter through, until Reset.
class CREvent {
 public:
  explicit CREvent(bool manualReset = false, bool signalled = false)
      : m_bManualReset(manualReset), m_bSignalled(signalled) {}
  CREvent(const CREvent&) = delete;
  CREvent& operator=(const CREvent&) = delete;

  void Set() {
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_bSignalled = true;
    }
    if (m_bManualReset) {
      m_changed.notify_all();
    } else {
      m_changed.notify_one();
    }
  }

  void Reset() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_bSignalled = false;
  }

  // Waits until the event is signalled or timeoutMs has passed; true when signalled.
  bool Wait(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> guard(m_lock);
    if (!m_changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), [this] { return m_bSignalled; })) {
      return false;
    }
    if (!m_bManualReset) m_bSignalled = false;
    return true;
  }

 private:
  const bool m_bManualReset;
  bool m_bSignalled;
  std::mutex m_lock;
  std::condition_variable m_changed;
};
