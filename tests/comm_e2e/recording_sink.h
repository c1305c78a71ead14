#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "comm/da_client.h"
#include "comm_e2e/link_commands.h"

// Keeps the payload of every frame a client hands to its sink, for the test thread to wait on.
class RecordingSink : public CNDAClient::ClientConnectionPoint {
 public:
  void OnCallback(CNPacketHolder& packet) override {
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_payloads.emplace_back(packet.GetData(), packet.GetData() + packet.GetSize());
    }
    m_changed.notify_all();
  }

  // Waits at most limit until some frame of that command name has arrived; returns its payload
  // (empty when none came).
  std::vector<uint8_t> WaitForCommand(std::u16string_view name,
                                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    std::unique_lock<std::mutex> guard(m_lock);
    std::vector<uint8_t> found;
    m_changed.wait_for(guard, limit, [&] {
      for (const std::vector<uint8_t>& payload : m_payloads) {
        if (CommandName(payload) != name) continue;
        found = payload;
        return true;
      }
      return false;
    });
    return found;
  }

  std::vector<std::u16string> Names() {
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<std::u16string> names;
    for (const std::vector<uint8_t>& payload : m_payloads) names.push_back(CommandName(payload));
    return names;
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::vector<std::vector<uint8_t>> m_payloads;
};
