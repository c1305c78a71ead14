#include "panel_server_sim/tcp_listener.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>


namespace panel_sim {

TcpListener::~TcpListener() { Stop(); }

bool TcpListener::Start(uint16_t port, std::string& error) {
  if (!ListenLoopback(port, m_listenSocket, m_usPort, error)) return false;
  if (!m_thread.Start(*this)) {
    error = "cannot start the listener thread";
    return false;
  }
  return true;
}

void TcpListener::Stop() {
  // Shutting the listening socket down wakes the listener's wait at once.
  m_thread.RequestStop();
  if (m_listenSocket.IsValid()) shutdown(m_listenSocket.Get(), SHUT_RDWR);
  m_thread.Stop(true);
  m_listenSocket.Reset();
}

bool TcpListener::OnThreadTick(CRThread&) {
  std::erase_if(m_connections, [](const std::unique_ptr<Connection>& connection) { return connection->IsFinished(); });
  if (WaitReadable(m_listenSocket.Get(), kAcceptWaitMs) <= 0) return true;
  UniqueFd socket(accept4(m_listenSocket.Get(), nullptr, nullptr, SOCK_CLOEXEC));
  if (!socket.IsValid() || m_connections.size() >= kMaxConnections) return true;
  const int on = 1;
  setsockopt(socket.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  auto connection = std::make_unique<Connection>(m_server, std::move(socket));
  if (connection->Start()) m_connections.push_back(std::move(connection));
  return true;
}

void TcpListener::OnThreadEnd(CRThread&) {
  for (const std::unique_ptr<Connection>& connection : m_connections) connection->RequestStop();
  m_connections.clear();
}

}  // namespace panel_sim
