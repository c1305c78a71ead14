#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "frame_bytes.h"

// Waits a bounded time, so that a failing test fails instead of hanging.
template <class T>
bool Ready(std::future<T>& future, int seconds = 5) {
  return future.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready;
}

// One accepted connection of a TestPeer, driven by its script on a thread of its own.
class PeerConnection {
 public:
  PeerConnection(int fd, const std::atomic<bool>& stop) : m_fd(fd), m_stop(stop) {}

  // Exactly n bytes within timeoutMs; fewer when the connection ends or the time runs out.
  Bytes Read(size_t n, int timeoutMs = 3000) {
    Bytes out;
    while (out.size() < n && !m_stop) {
      pollfd entry{m_fd, POLLIN, 0};
      if (::poll(&entry, 1, timeoutMs) <= 0) break;
      uint8_t chunk[4096];
      const ssize_t got = ::recv(m_fd, chunk, std::min(sizeof(chunk), n - out.size()), 0);
      if (got <= 0) break;
      out.insert(out.end(), chunk, chunk + got);
    }
    return out;
  }

  // The payload of the next frame (empty when none came): its header says how many bytes follow.
  Bytes ReadPayload() {
    const Bytes header = Read(9);
    if (header.size() < 9) return {};
    const Bytes rest = Read(header[5] | (header[6] << 8) | (header[7] << 16) | (uint32_t{header[8]} << 24));
    return rest.size() < 6 ? Bytes{} : Bytes(rest.begin(), rest.end() - 6);
  }

  void Send(const Bytes& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += static_cast<size_t>(n);
    }
  }

  // Answers a handshake with "OK" and, when given, a connection identifier.
  Bytes AcceptHandshake(const Bytes& answerTail = {}) {
    const Bytes hello = ReadPayload();
    Send(FrameOf('N', Concat({{'O', 'K'}, answerTail})));
    return hello;
  }

  // Blocks until the peer shuts down or the client closes the connection.
  void HoldUntilClosed() {
    while (!m_stop) {
      pollfd entry{m_fd, POLLIN, 0};
      if (::poll(&entry, 1, 20) > 0) {
        uint8_t byte;
        if (::recv(m_fd, &byte, 1, 0) <= 0) return;
      }
    }
  }

 private:
  int m_fd;
  const std::atomic<bool>& m_stop;
};

// A TCP server on 127.0.0.1 with an ephemeral port. The n-th accepted connection runs the
// n-th script on its own thread; the connection closes when its script returns. Every thread
// is joined when the peer goes.
class TestPeer {
 public:
  using Script = std::function<void(PeerConnection&)>;

  explicit TestPeer(std::vector<Script> scripts) : m_scripts(std::move(scripts)) {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(m_listener, 8);
    socklen_t length = sizeof(address);
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { AcceptLoop(); });
  }

  ~TestPeer() {
    m_stop = true;
    m_acceptor.join();
    for (std::thread& t : m_connections) t.join();
    ::close(m_listener);
  }

  uint16_t GetPort() const { return m_port; }
  std::string ConnectionString(int receiveTimeout = -1, const char* ping = "N") const {
    return "127.0.0.1," + std::to_string(m_port) + ",-1," + std::to_string(receiveTimeout) + ",0," + ping;
  }

 private:
  void AcceptLoop() {
    size_t next = 0;
    while (!m_stop && next < m_scripts.size()) {
      pollfd entry{m_listener, POLLIN, 0};
      if (::poll(&entry, 1, 20) <= 0) continue;
      const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      m_connections.emplace_back([this, fd, script = m_scripts[next++]] {
        PeerConnection connection(fd, m_stop);
        script(connection);
        ::close(fd);
      });
    }
  }

  std::vector<Script> m_scripts;
  std::atomic<bool> m_stop{false};
  int m_listener = -1;
  uint16_t m_port = 0;
  std::thread m_acceptor;
  std::vector<std::thread> m_connections;
};
