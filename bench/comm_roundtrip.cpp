// Round trips per second of "Read" of one tag through CNDAClientTcp against panel-server-sim
// (started here as a child process), beside a bare TCP ping-pong of the same frame sizes over
// loopback with a tiny echo thread of this process. A third run sends the client's request
// bytes to the same server over a bare socket: the server's share without the client's.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "comm/da_client_tcp.h"
#include "comm/frame.h"
#include "comm/packet_creator.h"
#include "comm/value_codec.h"
#include "support/utf16_text.h"

extern char** environ;

namespace {

constexpr uint64_t kClientHandle = 1;
constexpr uint8_t kReadMode = 1;

// The server as a child process, serving one constant tag; stopped and reaped at exit.
class ServerChild {
 public:
  ServerChild() {
    char path[] = "/tmp/comm_roundtrip_tagsXXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return;
    close(fd);
    m_tagsPath = path;
    std::ofstream(m_tagsPath) << "SetPoint number 75\n";
    std::string args[] = {VELTRIX_PANEL_SERVER_SIM, "--port", "0", "--tags", m_tagsPath};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data(), nullptr};
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv, environ) != 0) m_pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    m_out = out[0];
    std::string line;
    char c = 0;
    pollfd entry{m_out, POLLIN, 0};
    while (m_pid > 0 && poll(&entry, 1, 15000) == 1 && read(m_out, &c, 1) == 1 && c != '\n') line += c;
    if (line.rfind("listening on ", 0) == 0) m_usPort = static_cast<uint16_t>(std::atoi(line.c_str() + 13));
  }
  ~ServerChild() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      int status = 0;
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
          kill(m_pid, SIGKILL);
          waitpid(m_pid, &status, 0);
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    if (m_out >= 0) close(m_out);
    if (!m_tagsPath.empty()) std::remove(m_tagsPath.c_str());
  }
  uint16_t Port() const { return m_usPort; }

 private:
  pid_t m_pid = 0;
  int m_out = -1;
  std::string m_tagsPath;
  uint16_t m_usPort = 0;
};

ServerChild& Server() {
  static ServerChild server;
  return server;
}

// One command through the client: request built in packet, answer checked and positioned.
template <class Build>
bool Transact(CNDAClientTcp& client, CNPacketHolder& packet, std::u16string_view name, Build build) {
  packet.Reset();
  client.BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  creator.BeginCommand(name);
  build(creator);
  client.EndPacket(packet);
  return client.SendCommand(packet).Succeeded() && client.Receive(packet).Succeeded() &&
         CheckAnswer(packet, creator.GetPacketId()).Succeeded();
}

// link := one advised tag, nothing released, nothing re-advised
void BuildLink(CNDAPacketCreator& args) {
  args.AddInt32(1);
  args.AddInt32(1);
  args.AddInt64(kClientHandle);
  args.AddText(u"SetPoint");
  args.AddInt32(0);
  args.AddInt32(0);
}

// read := read mode, one server handle
void BuildRead(CNDAPacketCreator& args, uint64_t handle) {
  args.AddBytes(&kReadMode, 1);
  args.AddInt32(1);
  args.AddInt64(handle);
}

// A client connected and linked to the server's tag, as the link tag server's command client.
struct LinkedClient {
  CNDAClientTcp client;
  CNPacketHolder packet;
  uint64_t handle = 0;

  bool Open() {
    const std::u16string connection =
        AsciiToUtf16("127.0.0.1," + std::to_string(Server().Port()) + ",2,4,3,N");
    uint32_t ok = 0;
    if (Server().Port() == 0 || !client.Connect(connection, 1, static_cast<uint32_t>(getpid()), 1, false).Succeeded() ||
        !Transact(client, packet, u"Connect", [](CNDAPacketCreator& args) { args.AddInt32(1); }) ||
        !packet.ReadU32(ok) || ok == 0)
      return false;
    const bool linked = Transact(client, packet, u"Link", BuildLink);
    return linked && packet.ReadU32(ok) && ok != 0 && packet.ReadU64(handle) && handle != 0;
  }

  // One "Read" of the tag; the value decoded.
  bool Read(CNValue& value) {
    uint32_t ok = 0;
    uint8_t kind = 0;
    return Transact(client, packet, u"Read", [this](CNDAPacketCreator& args) { BuildRead(args, handle); }) &&
           packet.ReadU32(ok) && ok != 0 && packet.ReadU8(kind) && kind == 0 && DecodeValue(packet, value);
  }
};

// A complete frame of channel "N" holding one command, built as the client builds it.
template <class Build>
std::vector<uint8_t> CommandFrame(std::u16string_view name, Build build) {
  CNPacketHolder packet;
  packet.SetSize(kFrameHeaderSize);
  packet.Seek(0, CNPacketHolder::kSeekEnd);
  CNDAPacketCreatorSimple creator(packet);
  creator.BeginCommand(name);
  build(creator);
  packet.SetSize(packet.GetSize() + kFrameTrailerSize);
  CompleteFrame(packet, kChannelCommand);
  return std::vector<uint8_t>(packet.GetData(), packet.GetData() + packet.GetSize());
}

// The frames of one "Read" round trip as they travel: the request (its packet id aside) and the
// size of the answer.
struct ReadFrames {
  std::vector<uint8_t> request;
  size_t answerSize = 0;
};

const ReadFrames& Frames() {
  static const ReadFrames frames = [] {
    ReadFrames result;
    LinkedClient linked;
    CNValue value;
    if (!linked.Open() || !linked.Read(value)) return result;
    result.answerSize = linked.packet.GetSize() + kFrameHeaderSize + kFrameTrailerSize;
    result.request = CommandFrame(u"Read", [&linked](CNDAPacketCreator& args) { BuildRead(args, linked.handle); });
    return result;
  }();
  return frames;
}

void SetNoDelay(int fd) {
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool SendAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t sent = send(fd, data, size, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

bool ReceiveAll(int fd, uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t got = recv(fd, data, size, 0);
    if (got <= 0) return false;
    data += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

int ConnectLoopback(uint16_t port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  if (fd >= 0) SetNoDelay(fd);
  return fd;
}

void BM_ClientReadRoundTrip(benchmark::State& state) {
  LinkedClient linked;
  if (!linked.Open()) {
    state.SkipWithError("cannot connect to panel-server-sim");
    return;
  }
  CNValue value;
  for (auto _ : state) {
    if (!linked.Read(value)) {
      state.SkipWithError("Read failed");
      break;
    }
    benchmark::DoNotOptimize(value.GetNumber(0));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ClientReadRoundTrip)->UseRealTime();

// A whole frame read from a bare socket: the header, then as many bytes as it announces.
bool ReceiveFrameBytes(int fd, std::vector<uint8_t>& frame) {
  frame.resize(kFrameHeaderSize);
  if (!ReceiveAll(fd, frame.data(), frame.size())) return false;
  const uint32_t length = frame[5] | frame[6] << 8 | frame[7] << 16 | static_cast<uint32_t>(frame[8]) << 24;
  if (length > (1u << 20)) return false;
  frame.resize(kFrameHeaderSize + length);
  return ReceiveAll(fd, frame.data() + kFrameHeaderSize, length);
}

// The server's share: the client's request bytes sent over a bare socket that made the same
// handshake and link, the answer read by its known size. What the client adds is the difference
// between this and BM_ClientReadRoundTrip.
void BM_BareSocketReadRoundTripToServer(benchmark::State& state) {
  const ReadFrames& frames = Frames();
  const int fd = frames.request.empty() ? -1 : ConnectLoopback(Server().Port());
  if (fd < 0) {
    state.SkipWithError("cannot reach panel-server-sim");
    return;
  }
  // handshake := "CLIENTINFO" NUL, kind 1, process id, client id, flag 0 (no callback), id 0
  CNPacketHolder hello;
  hello.SetSize(kFrameHeaderSize);
  hello.Seek(0, CNPacketHolder::kSeekEnd);
  hello.Write("CLIENTINFO", 11);
  hello.WriteU8(1);
  hello.WriteU32(static_cast<uint32_t>(getpid()));
  hello.WriteU32(1);
  hello.WriteU32(0);
  hello.WriteU64(0);
  hello.SetSize(hello.GetSize() + kFrameTrailerSize);
  CompleteFrame(hello, kChannelCommand);
  // A new session hands out the same first server handle that the request names.
  const std::vector<uint8_t> link = CommandFrame(u"Link", BuildLink);
  std::vector<uint8_t> answer;
  if (!SendAll(fd, hello.GetData(), hello.GetSize()) || !ReceiveFrameBytes(fd, answer) ||
      !SendAll(fd, link.data(), link.size()) || !ReceiveFrameBytes(fd, answer) ||
      !SendAll(fd, frames.request.data(), frames.request.size()) || !ReceiveFrameBytes(fd, answer) ||
      answer.size() != frames.answerSize) {
    close(fd);
    state.SkipWithError("handshake, link or first read failed");
    return;
  }
  for (auto _ : state) {
    if (!SendAll(fd, frames.request.data(), frames.request.size()) ||
        !ReceiveAll(fd, answer.data(), answer.size())) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
  close(fd);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareSocketReadRoundTripToServer)->UseRealTime();

// The reference: the same request and answer sizes over loopback TCP to an echo thread that
// answers each request at once.
void BM_BarePingPong(benchmark::State& state) {
  const ReadFrames& frames = Frames();
  const size_t requestSize = frames.request.empty() ? 43 : frames.request.size();
  const size_t answerSize = frames.answerSize == 0 ? 46 : frames.answerSize;

  const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 1) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (listener >= 0) close(listener);
    state.SkipWithError("cannot listen");
    return;
  }
  std::thread echo([listener, requestSize, answerSize] {
    const int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    SetNoDelay(fd);
    std::vector<uint8_t> request(requestSize);
    const std::vector<uint8_t> answer(answerSize, 0x5A);
    while (ReceiveAll(fd, request.data(), request.size()) && SendAll(fd, answer.data(), answer.size())) {
    }
    close(fd);
  });
  const int fd = ConnectLoopback(ntohs(address.sin_port));
  const std::vector<uint8_t> request(requestSize, 0xA5);
  std::vector<uint8_t> answer(answerSize);
  if (fd < 0) state.SkipWithError("cannot connect");
  for (auto _ : state) {
    if (fd < 0) break;
    if (!SendAll(fd, request.data(), request.size()) || !ReceiveAll(fd, answer.data(), answer.size())) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
  if (fd >= 0) {
    close(fd);  // the echo thread sees the end and returns
  } else {
    shutdown(listener, SHUT_RDWR);  // wakes its accept
  }
  echo.join();
  close(listener);
  state.SetItemsProcessed(state.iterations());
  state.counters["request_bytes"] = static_cast<double>(requestSize);
  state.counters["answer_bytes"] = static_cast<double>(answerSize);
}
BENCHMARK(BM_BarePingPong)->UseRealTime();

}  // namespace
