#include "panel_server_sim/socket_io.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace panel_sim {

namespace {

// Sends every byte; false when the socket fails or the send time-out passes. Never raises
// SIGPIPE.
bool SendAll(int fd, const void* data, size_t bytes) {
  const auto* p = static_cast<const uint8_t*>(data);
  while (bytes > 0) {
    const ssize_t sent = send(fd, p, bytes, MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += sent;
    bytes -= static_cast<size_t>(sent);
  }
  return true;
}

}  // namespace

sockaddr_in LoopbackAddress(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

void UniqueFd::Reset(int fd) {
  if (m_fd >= 0) close(m_fd);
  m_fd = fd;
}

bool ListenLoopback(uint16_t port, UniqueFd& out, uint16_t& actualPort, std::string& error) {
  UniqueFd fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.IsValid()) {
    error = std::string("cannot create a socket: ") + std::strerror(errno);
    return false;
  }
  const int on = 1;
  setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address = LoopbackAddress(port);
  if (bind(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd.Get(), 64) != 0) {
    error = "cannot listen on port " + std::to_string(port) + ": " + std::strerror(errno);
    return false;
  }
  socklen_t length = sizeof address;
  if (getsockname(fd.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    error = std::string("cannot read the bound port: ") + std::strerror(errno);
    return false;
  }
  actualPort = ntohs(address.sin_port);
  out = std::move(fd);
  return true;
}

void SetSendTimeout(int fd, uint32_t timeoutMs) {
  timeval limit{};
  limit.tv_sec = static_cast<time_t>(timeoutMs / 1000);
  limit.tv_usec = static_cast<suseconds_t>((timeoutMs % 1000) * 1000);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

int WaitReadable(int fd, int timeoutMs) {
  pollfd waiting{fd, POLLIN, 0};
  for (;;) {
    const int ready = poll(&waiting, 1, timeoutMs);
    if (ready >= 0) return ready > 0 ? 1 : 0;
    if (errno != EINTR) return -1;
  }
}

bool PeerSocket::Send(const void* data, size_t bytes) {
  std::lock_guard<std::mutex> guard(m_writeLock);
  if (IsShut()) return false;
  if (SendAll(m_fd.Get(), data, bytes)) return true;
  Shutdown();
  return false;
}

void PeerSocket::Shutdown() {
  if (!m_bShut.exchange(true, std::memory_order_acq_rel)) shutdown(m_fd.Get(), SHUT_RDWR);
}

bool SocketByteSource::ReadExact(uint8_t* out, size_t bytes, int& errorCode) {
  errorCode = 0;
  while (bytes > 0) {
    if (m_ulBegin == m_ulEnd) {
      if (m_bBroken) return false;
      const int ready = WaitReadable(m_fd, m_iTimeoutMs);
      if (ready <= 0) {
        if (ready < 0) errorCode = errno;
        m_bBroken = true;
        return false;
      }
      const ssize_t got = recv(m_fd, m_buffer, kBufferSize, 0);
      if (got <= 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) errorCode = errno;
        m_bBroken = true;
        return false;
      }
      m_ulBegin = 0;
      m_ulEnd = static_cast<size_t>(got);
    }
    const size_t take = std::min(bytes, m_ulEnd - m_ulBegin);
    std::memcpy(out, m_buffer + m_ulBegin, take);
    m_ulBegin += take;
    out += take;
    bytes -= take;
  }
  return true;
}

}  // namespace panel_sim
