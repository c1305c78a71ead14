#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "panel_server_sim/gateway_relay.h"
#include "panel_server_sim/gateway_text.h"

struct MHD_Daemon;

namespace panel_sim {

// The SOAP/HTTP gateway: answers POSTs of the "Process" call on 127.0.0.1 and relays each
// client's messages to the panel server's TCP side over connections of its own.
//   type 1 connect: opens the relay (handshakes built from the connect text); the answer's
//          data is the new connection identifier
//   type 3 send: relays the frame; the answer's data is the server's answer frame(s)
//   type 5 poll: the answer's data is the callback frames waiting, or nothing
//   type 2 disconnect: closes the relay
// Requests may come in chunks (gathered until the last) and answers go out in chunks of at
// most kSoapChunkSize bytes, the client asking for each further one. A connection the gateway
// does not know, or one whose relay broke, is answered with type 7.
class HttpGateway {
 public:
  static constexpr size_t kMaxBodyBytes = 2 * kGatewayMaxChunkBytes + 65536;
  static constexpr size_t kMaxSessions = 256;
  static constexpr int64_t kIdleLimitMs = 10 * 60 * 1000;  // unused relays are closed after this

  explicit HttpGateway(uint16_t serverPort) : m_usServerPort(serverPort) {}
  ~HttpGateway();
  HttpGateway(const HttpGateway&) = delete;
  HttpGateway& operator=(const HttpGateway&) = delete;

  // Starts serving HTTP on the port (0: any free one). False with error set.
  bool Start(uint16_t port, std::string& error);
  uint16_t GetPort() const { return m_usPort; }
  // Closes every relay and stops the HTTP server, joining its threads.
  void Stop();

  // The answer text to one strIn text; empty when strIn does not parse.
  std::string Process(std::string_view strIn);

 private:
  // One direction of a relay: the request message being gathered from its chunks, and the
  // answer being handed out in chunks.
  struct Exchange {
    std::mutex lock;
    bool gathering = false;
    std::vector<uint8_t> message;
    std::vector<uint8_t> answer;
    size_t answerOffset = 0;
  };
  struct Session {
    GatewayRelay relay;
    Exchange command;   // type 3
    Exchange callback;  // type 5
    std::atomic<int64_t> lastUseMs{0};
  };

  std::string Connect(const GatewayRequest& request);
  std::string Disconnect(const GatewayRequest& request);
  std::string Relay(const GatewayRequest& request, Session& session);
  std::shared_ptr<Session> FindSession(const std::string& connection);
  void DropSession(const std::string& connection);
  // Closes relays unused for kIdleLimitMs. Called with m_lock held.
  void DropIdleSessions(int64_t nowMs);

  const uint16_t m_usServerPort;
  uint16_t m_usPort = 0;
  MHD_Daemon* m_pDaemon = nullptr;
  std::atomic<bool> m_bStopping{false};
  std::mutex m_lock;
  std::map<std::string, std::shared_ptr<Session>> m_sessions;
  std::mt19937_64 m_random{std::random_device{}()};
};

}  // namespace panel_sim
