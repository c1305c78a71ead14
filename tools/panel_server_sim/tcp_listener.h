#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "panel_server_sim/command_context.h"
#include "panel_server_sim/connection.h"
#include "panel_server_sim/socket_io.h"
#include "support/thread.h"

namespace panel_sim {

// Accepts TCP connections on 127.0.0.1 and gives each a Connection. Finished connections are
// joined and dropped as the listener goes; Stop ends and joins every one of them.
class TcpListener : public CRThreadConnectionPoint {
 public:
  // Connections beyond this are closed as soon as they are accepted.
  static constexpr size_t kMaxConnections = 128;
  static constexpr int kAcceptWaitMs = 100;

  explicit TcpListener(ServerContext& server) : m_server(server) {}
  ~TcpListener() override;
  TcpListener(const TcpListener&) = delete;
  TcpListener& operator=(const TcpListener&) = delete;

  // Binds the port (0: any free one) and starts accepting. False with error set.
  bool Start(uint16_t port, std::string& error);
  uint16_t GetPort() const { return m_usPort; }
  void Stop();

 private:
  bool OnThreadTick(CRThread& thread) override;
  void OnThreadEnd(CRThread& thread) override;

  ServerContext& m_server;
  UniqueFd m_listenSocket;
  uint16_t m_usPort = 0;
  std::vector<std::unique_ptr<Connection>> m_connections;  // the listener thread's own
  CRThread m_thread;
};

}  // namespace panel_sim
