#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "comm/client_test_util.h"
#include "comm_e2e/link_commands.h"

// Keeps the payload of every frame a client hands to its sink, for the test thread to wait on.
class RecordingSink : public CallbackRecorder {
 public:
  // Waits at most limit until some frame of that command name has arrived; returns its payload
  // (empty when none came).
  std::vector<uint8_t> WaitForCommand(std::u16string_view name,
                                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    std::vector<uint8_t> found;
    WaitFor(
        [&](const Payloads& payloads) {
          for (const std::vector<uint8_t>& payload : payloads)
            if (CommandName(payload) == name) return found = payload, true;
          return false;
        },
        limit);
    return found;
  }

  std::vector<std::u16string> Names() {
    std::vector<std::u16string> names;
    for (const std::vector<uint8_t>& payload : Get()) names.push_back(CommandName(payload));
    return names;
  }
};
