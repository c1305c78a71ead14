#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "comm/da_client.h"
#include "support/utf16_text.h"

inline std::string Text(const ClientResult& result) {
  return Utf16ToUtf8(result.message);
}

// Polls done every 5 ms until it holds or limit has passed; its last answer.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Keeps the payload of every frame a client hands to its sink, for the test thread to wait on;
// may run an action inside each callback.
class CallbackRecorder : public CNDAClient::ClientConnectionPoint {
 public:
  using Payloads = std::vector<std::vector<uint8_t>>;

  void OnCallback(CNPacketHolder& packet) override {
    std::function<void()> action;
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_payloads.emplace_back(packet.GetData(), packet.GetData() + packet.GetSize());
      action = m_action;
    }
    m_changed.notify_all();
    if (action) action();
  }
  void SetAction(std::function<void()> action) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_action = std::move(action);
  }
  // Waits at most ten seconds until count payloads have come.
  bool WaitForCount(size_t count) {
    std::unique_lock<std::mutex> guard(m_lock);
    return m_changed.wait_for(guard, std::chrono::seconds(10), [&] { return m_payloads.size() >= count; });
  }
  Payloads Get() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_payloads;
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  Payloads m_payloads;
  std::function<void()> m_action;
};
