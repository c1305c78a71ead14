#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "comm/client_test_util.h"
#include "comm/connection_settings.h"
#include "comm/login_server.h"
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

// A port that was just given up by a server, so that connecting to it is refused.
inline uint16_t DeadPort() {
  ServerProcess server;
  const uint16_t port = server.Port();
  server.Stop();
  return port;
}

// Every login event the stub delivers: the login state and the level.
class LoginEventRecorder : public CNPLoginServer::ConnectionPoint {
 public:
  using Events = std::vector<std::pair<uint32_t, uint32_t>>;

  void OnLoginChanged(uint32_t state, uint32_t level) override { events.emplace_back(state, level); }
  Events events;
};
