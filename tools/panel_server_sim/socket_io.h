#pragma once

#include <netinet/in.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>

#include "comm/frame.h"

namespace panel_sim {

// An owned file descriptor, closed when dropped.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    Reset(std::exchange(other.m_fd, -1));
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int Get() const { return m_fd; }
  bool IsValid() const { return m_fd >= 0; }
  // Gives up ownership without closing.
  int Release() { return std::exchange(m_fd, -1); }
  void Reset(int fd = -1);

 private:
  int m_fd = -1;
};

// 127.0.0.1:port.
sockaddr_in LoopbackAddress(uint16_t port);
// A listening TCP socket on 127.0.0.1; port 0 lets the system pick one. actualPort receives
// the bound port. On failure error says why.
bool ListenLoopback(uint16_t port, UniqueFd& out, uint16_t& actualPort, std::string& error);
// Bounds every blocking send on the socket, so a peer that stops reading cannot hold a writer.
void SetSendTimeout(int fd, uint32_t timeoutMs);
// Waits until fd can be read: 1 ready, 0 time-out, -1 error. timeoutMs < 0 waits without limit.
int WaitReadable(int fd, int timeoutMs);

// A connected socket that one thread reads while others may write to it: writes are whole
// (one frame never interleaves with another) and a failed write shuts the socket down.
class PeerSocket {
 public:
  explicit PeerSocket(UniqueFd fd) : m_fd(std::move(fd)) {}

  int GetFd() const { return m_fd.Get(); }
  bool Send(const void* data, size_t bytes);
  // Wakes the reader with an end of data and makes every later send fail. The descriptor
  // stays open until the object goes, so no other thread can be handed its number meanwhile.
  void Shutdown();
  bool IsShut() const { return m_bShut.load(std::memory_order_acquire); }

 private:
  UniqueFd m_fd;
  std::mutex m_writeLock;
  std::atomic<bool> m_bShut{false};
};

// Frame reads from a socket through a small buffer. Each read waits at most timeoutMs for
// data (negative: no limit).
class SocketByteSource : public CNByteSource {
 public:
  SocketByteSource(int fd, int timeoutMs) : m_fd(fd), m_iTimeoutMs(timeoutMs) {}

  bool ReadExact(uint8_t* out, size_t bytes, int& errorCode) override;
  // The peer closed, the socket failed or a read timed out: the stream cannot go on.
  bool IsBroken() const { return m_bBroken; }

 private:
  static constexpr size_t kBufferSize = 16384;

  int m_fd;
  int m_iTimeoutMs;
  bool m_bBroken = false;
  size_t m_ulBegin = 0;
  size_t m_ulEnd = 0;
  uint8_t m_buffer[kBufferSize];
};

}  // namespace panel_sim
