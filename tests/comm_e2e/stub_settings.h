#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <thread>

#include "comm/connection_settings.h"
#include "comm_e2e/server_process.h"
#include "support/ref_cnt.h"

// Connection settings for the stubs with one node per port on 127.0.0.1 (time-outs: connect 2
// seconds, receive 4).
inline CRPtr<CNConnectionSettings> NodeSettings(std::initializer_list<uint16_t> ports, bool redundant = false,
                                                bool fixedServer = false) {
  CNServerSettings settings;
  settings.nodes.clear();
  for (const uint16_t port : ports) settings.nodes.push_back({u"127.0.0.1", port});
  settings.nodeRedundancy = redundant;
  settings.timeOutConnect = 2;
  settings.timeOutSeconds = 4;
  return CRPtr<CNConnectionSettings>::Make(settings, fixedServer);
}

// Polls done every 10 ms until it holds or limit has passed; its last answer.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// A port that was just given up by a server, so that connecting to it is refused.
inline uint16_t DeadPort() {
  ServerProcess server;
  const uint16_t port = server.Port();
  server.Stop();
  return port;
}
