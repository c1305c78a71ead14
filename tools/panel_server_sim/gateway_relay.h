#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "support/socket.h"

namespace panel_sim {

// What the gateway needs of a connect message's text:
//   pass-through "," process id "," client id "," identity "," connect counter "," node ","
//   port "," connect time-out "," receive time-out "," "Y"/"N" "," client kind "," 10
// The pass-through text may itself hold commas: the fields are counted from the end.
struct GatewayConnectInfo {
  uint32_t processId = 0;
  uint32_t clientId = 0;
  uint8_t clientKind = 0;
  bool callback = false;
  int connectTimeoutSeconds = 0;
};

bool ParseGatewayConnectText(std::string_view text, GatewayConnectInfo& info);

// One client of the gateway, relayed over TCP connections of its own to the panel server: a
// command socket, and a callback socket when the client asked for one. Sends and polls may run
// at the same time on different threads; Close may come from any thread and wakes both.
class GatewayRelay {
 public:
  // The longest a relayed message or the bytes waiting on a socket may grow.
  static constexpr size_t kMaxRelayBytes = 8u << 20;

  // Connects to the panel server on 127.0.0.1:serverPort and makes the handshakes the connect
  // text asks for. False when the server cannot be reached or refuses.
  bool Open(uint16_t serverPort, const GatewayConnectInfo& info);
  // Relays the frame(s) in message and returns the server's answer as it came: every byte up to
  // the end of the first frame of channel "N" (stray bytes and "C" frames before it included).
  // A message of channel "C" goes to the callback socket and has no answer. Empty when the
  // server does not answer within timeoutMs or the connection fails.
  std::vector<uint8_t> Send(const std::vector<uint8_t>& message, int timeoutMs);
  // The complete frames waiting on the callback socket, without blocking.
  std::vector<uint8_t> Poll();
  // The server closed a socket or a send failed: the relay cannot go on.
  bool IsBroken() const { return m_bBroken.load(std::memory_order_acquire); }
  void Close();

 private:
  // Appends the bytes waiting on socket; false when the server closed it or it failed.
  bool ReceiveWaiting(CRSocket& socket, std::vector<uint8_t>& bytes);

  std::mutex m_commandLock;
  std::mutex m_callbackLock;
  CRSocket m_command;
  CRSocket m_callback;  // open when the client asked for a callback channel
  std::vector<uint8_t> m_callbackBytes;  // received, not yet handed out
  std::atomic<bool> m_bBroken{false};
};

}  // namespace panel_sim
