#include "support/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>

#include "support/trace.h"

namespace {

using Clock = std::chrono::steady_clock;

bool ToSocketAddress(const std::string& address, uint16_t port, sockaddr_in& out) {
  std::memset(&out, 0, sizeof(out));
  out.sin_family = AF_INET;
  out.sin_port = htons(port);
  return inet_pton(AF_INET, address.c_str(), &out.sin_addr) == 1;
}

// poll() on one descriptor until an event, the deadline, or a real failure; restarts after
// signals with the time that is left. Returns the revents, 0 on time-out, -1 on failure.
int PollUntil(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(std::clamp<int64_t>(left, 0, INT_MAX)));
    if (ready > 0) return entry.revents;
    if (ready == 0) return 0;
    if (errno != EINTR) return -1;
  }
}

Clock::time_point DeadlineAfter(uint32_t timeoutMs) {
  return Clock::now() + std::chrono::milliseconds(timeoutMs);
}

// Closes a descriptor when it goes out of scope unless released.
class FdGuard {
 public:
  explicit FdGuard(int fd) : m_fd(fd) {}
  FdGuard(const FdGuard&) = delete;
  FdGuard& operator=(const FdGuard&) = delete;
  ~FdGuard() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int Get() const { return m_fd; }
  int Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
  }

 private:
  int m_fd;
};

}  // namespace

bool CRSocket::Resolve(std::string_view host, std::string& address, int& error) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string name(host);
  if (name.empty()) {
    error = EINVAL;
    return false;
  }
  const int status = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (status != 0 || found == nullptr) {
    error = status == EAI_SYSTEM ? errno : -status;
    if (found) ::freeaddrinfo(found);
    return false;
  }
  char text[INET_ADDRSTRLEN] = {};
  const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  const bool converted = ::inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof(text)) != nullptr;
  error = converted ? 0 : errno;
  ::freeaddrinfo(found);
  if (converted) address = text;
  return converted;
}

bool CRSocket::Fail(int error) {
  m_lastError.store(error, std::memory_order_release);
  return false;
}

bool CRSocket::Connect(const std::string& address, uint16_t port, uint32_t timeoutMs) {
  Close();
  m_bPeerClosed.store(false, std::memory_order_release);
  sockaddr_in target;
  if (!ToSocketAddress(address, port, target)) return Fail(EINVAL);
  FdGuard fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (fd.Get() < 0) return Fail(errno);
  // Requests are small and answered at once: do not hold them back for coalescing.
  const int on = 1;
  ::setsockopt(fd.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
  if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&target), sizeof(target)) != 0) {
    if (errno != EINPROGRESS) return Fail(errno);
    const int events = PollUntil(fd.Get(), POLLOUT, DeadlineAfter(timeoutMs));
    if (events < 0) return Fail(errno);
    if (events == 0) return Fail(ETIMEDOUT);
    int error = 0;
    socklen_t length = sizeof(error);
    if (::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0) return Fail(errno);
    if (error != 0) return Fail(error);
  }
  m_fd.store(fd.Release(), std::memory_order_release);
  m_lastError.store(0, std::memory_order_release);
  return true;
}

bool CRSocket::WaitFor(short events, uint32_t timeoutMs) {
  const int ready = PollUntil(m_fd.load(std::memory_order_acquire), events, DeadlineAfter(timeoutMs));
  if (ready < 0) return Fail(errno);
  if (ready == 0) return Fail(ETIMEDOUT);
  return true;  // readable, writable, or an error or hang-up that the next call reports
}

bool CRSocket::SendAll(const void* data, size_t bytes, uint32_t timeoutMs) {
  const int fd = m_fd.load(std::memory_order_acquire);
  if (fd < 0) return Fail(ENOTCONN);
  const auto* p = static_cast<const uint8_t*>(data);
  while (bytes > 0) {
    const ssize_t sent = ::send(fd, p, bytes, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent > 0) {
      p += sent;
      bytes -= static_cast<size_t>(sent);
    } else if (sent < 0 && errno == EINTR) {
      continue;
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(POLLOUT, timeoutMs)) return false;
    } else {
      return Fail(sent < 0 ? errno : EPIPE);
    }
  }
  return true;
}

bool CRSocket::ReceiveExact(void* out, size_t bytes, uint32_t timeoutMs) {
  const int fd = m_fd.load(std::memory_order_acquire);
  if (fd < 0) return Fail(ENOTCONN);
  auto* p = static_cast<uint8_t*>(out);
  while (bytes > 0) {
    const ssize_t got = ::recv(fd, p, bytes, MSG_DONTWAIT);
    if (got > 0) {
      p += got;
      bytes -= static_cast<size_t>(got);
    } else if (got == 0) {
      m_bPeerClosed.store(true, std::memory_order_release);
      return Fail(0);
    } else if (errno == EINTR) {
      continue;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!WaitFor(POLLIN, timeoutMs)) return false;
    } else {
      return Fail(errno);
    }
  }
  return true;
}

bool CRSocket::WaitForData(uint32_t timeoutMs) {
  if (!IsOpen()) return Fail(ENOTCONN);
  return WaitFor(POLLIN, timeoutMs);
}

size_t CRSocket::GetBytesWaiting() {
  const int fd = m_fd.load(std::memory_order_acquire);
  int waiting = 0;
  if (fd < 0 || ::ioctl(fd, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
  return static_cast<size_t>(waiting);
}

void CRSocket::DiscardWaiting() {
  const int fd = m_fd.load(std::memory_order_acquire);
  uint8_t sink[4096];
  for (size_t waiting = GetBytesWaiting(); waiting > 0;) {
    const ssize_t got = ::recv(fd, sink, waiting < sizeof(sink) ? waiting : sizeof(sink), MSG_DONTWAIT);
    if (got <= 0) return;
    waiting -= static_cast<size_t>(got);
  }
}

void CRSocket::Shutdown() {
  const int fd = m_fd.load(std::memory_order_acquire);
  if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
}

void CRSocket::Close() {
  const int fd = m_fd.exchange(-1, std::memory_order_acq_rel);
  if (fd >= 0) ::close(fd);
}

// ---- ICMP echo

namespace {

constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kEchoReply = 0;
constexpr size_t kEchoHeader = 8;
constexpr size_t kEchoPayload = 24;

uint16_t InternetChecksum(const uint8_t* data, size_t size) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 1 < size; i += 2) sum += (uint32_t{data[i]} << 8) | data[i + 1];
  if (size & 1) sum += uint32_t{data[size - 1]} << 8;
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint16_t>(~sum);
}

}  // namespace

PingResult PingHost(const std::string& address, uint32_t timeoutMs) {
  sockaddr_in target;
  if (!ToSocketAddress(address, 0, target)) return PingResult::kNoAnswer;
  // A datagram ICMP socket needs no privilege where the system's ping group range allows it;
  // the kernel then owns the identifier and passes only our replies, without IP header.
  int opened = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
  const bool raw = opened < 0;
  if (raw) opened = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (opened < 0) {
    CRTrace::Printf("PingHost: no ICMP socket may be opened (error %d); the ping counts as answered", errno);
    return PingResult::kNotPermitted;
  }
  FdGuard fd(opened);
  static std::atomic<uint16_t> s_usSequence{0};
  const uint16_t sequence = ++s_usSequence;
  const uint16_t identifier = static_cast<uint16_t>(::getpid());
  uint8_t request[kEchoHeader + kEchoPayload] = {kEchoRequest, 0, 0, 0};
  request[4] = static_cast<uint8_t>(identifier >> 8);
  request[5] = static_cast<uint8_t>(identifier);
  request[6] = static_cast<uint8_t>(sequence >> 8);
  request[7] = static_cast<uint8_t>(sequence);
  for (size_t i = 0; i < kEchoPayload; ++i) request[kEchoHeader + i] = static_cast<uint8_t>('a' + i);
  const uint16_t checksum = InternetChecksum(request, sizeof(request));
  request[2] = static_cast<uint8_t>(checksum >> 8);
  request[3] = static_cast<uint8_t>(checksum);
  if (::sendto(fd.Get(), request, sizeof(request), 0, reinterpret_cast<const sockaddr*>(&target),
               sizeof(target)) < 0) {
    if (errno == EPERM || errno == EACCES) {
      CRTrace::Printf(
          "PingHost: sending an ICMP echo is not permitted (error %d); the ping counts as answered", errno);
      return PingResult::kNotPermitted;
    }
    return PingResult::kNoAnswer;
  }
  const auto deadline = DeadlineAfter(timeoutMs);
  uint8_t reply[1500];
  while (PollUntil(fd.Get(), POLLIN, deadline) > 0) {
    sockaddr_in from{};
    socklen_t fromLength = sizeof(from);
    const ssize_t got =
        ::recvfrom(fd.Get(), reply, sizeof(reply), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (got <= 0) continue;
    size_t offset = 0;
    if (raw) {  // a raw socket sees the IP header and every ICMP message of the host
      offset = size_t{reply[0] & 0x0Fu} * 4;
      if (from.sin_addr.s_addr != target.sin_addr.s_addr) continue;
    }
    if (static_cast<size_t>(got) < offset + kEchoHeader) continue;
    const uint8_t* icmp = reply + offset;
    if (icmp[0] != kEchoReply || icmp[6] != request[6] || icmp[7] != request[7]) continue;
    if (raw && (icmp[4] != request[4] || icmp[5] != request[5])) continue;
    return PingResult::kAnswered;
  }
  return PingResult::kNoAnswer;
}
