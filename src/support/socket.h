#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A TCP client socket (IPv4, stream) with bounded waits. Every failing call leaves the errno
// value in GetLastError: ETIMEDOUT when a wait ran out, ENOTCONN when the socket is not open,
// 0 when the peer closed the connection (then IsPeerClosed is true as well).
//
// One thread uses a socket at a time, except Shutdown, which another thread may call to end
// that thread's waits at once (they then see the connection closed). Close the socket only
// when no other thread uses it.
class CRSocket {
 public:
  CRSocket() = default;
  CRSocket(const CRSocket&) = delete;
  CRSocket& operator=(const CRSocket&) = delete;
  ~CRSocket() { Close(); }

  // Resolves a host name or dotted address to a dotted IPv4 address. On failure returns false
  // and sets error (a getaddrinfo code made negative, or an errno value).
  static bool Resolve(std::string_view host, std::string& address, int& error);

  // Connects to a dotted IPv4 address, waiting at most timeoutMs; closes any earlier
  // connection first.
  bool Connect(const std::string& address, uint16_t port, uint32_t timeoutMs);
  // Sends every byte; each wait for room in the send queue lasts at most timeoutMs.
  bool SendAll(const void* data, size_t bytes, uint32_t timeoutMs);
  // Receives exactly bytes bytes; each wait for more data lasts at most timeoutMs.
  bool ReceiveExact(void* out, size_t bytes, uint32_t timeoutMs);
  // True when data (or the end of the connection) can be read within timeoutMs; false with
  // ETIMEDOUT when the wait ran out.
  bool WaitForData(uint32_t timeoutMs);
  // The bytes that can be read without waiting.
  size_t GetBytesWaiting();
  // Reads and drops the bytes that are waiting.
  void DiscardWaiting();
  // Ends the connection in both directions without releasing the socket; callable while
  // another thread waits on it.
  void Shutdown();
  void Close();

  bool IsOpen() const { return m_fd.load(std::memory_order_acquire) >= 0; }
  bool IsPeerClosed() const { return m_bPeerClosed.load(std::memory_order_acquire); }
  int GetLastError() const { return m_lastError.load(std::memory_order_acquire); }

 private:
  bool Fail(int error);
  // Waits for the events on the socket; false (with the error set) on time-out or failure.
  bool WaitFor(short events, uint32_t timeoutMs);

  std::atomic<int> m_fd{-1};
  std::atomic<int> m_lastError{0};
  std::atomic<bool> m_bPeerClosed{false};
};

enum class PingResult {
  kAnswered,
  kNoAnswer,
  kNotPermitted,  // neither an ICMP datagram socket nor a raw socket may be opened here
};

// Sends one ICMP echo request to a dotted IPv4 address and waits at most timeoutMs for the
// reply. Uses an unprivileged ICMP datagram socket where the system allows one, else a raw
// socket.
PingResult PingHost(const std::string& address, uint32_t timeoutMs);
