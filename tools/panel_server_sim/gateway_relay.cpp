#include "panel_server_sim/gateway_relay.h"

#include <algorithm>
#include <chrono>
#include <charconv>

#include "comm/frame.h"
#include "comm/socket_byte_source.h"
#include "panel_server_sim/command_packet.h"
#include "panel_server_sim/connection.h"
#include "panel_server_sim/handshake.h"

namespace panel_sim {

namespace {

constexpr size_t kConnectFields = 12;
constexpr int kMinTimeoutSeconds = 1;
constexpr int kMaxTimeoutSeconds = 60;
constexpr int kDefaultTimeoutSeconds = 4;
constexpr uint32_t kSendTimeoutMs = 5000;
constexpr size_t kReadChunk = 65536;

template <class T>
bool ParseField(std::string_view text, T& out) {
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), out);
  return !text.empty() && status == std::errc() && end == text.data() + text.size();
}

uint32_t TimeoutMs(int seconds) {
  return static_cast<uint32_t>(seconds < kMinTimeoutSeconds ? kDefaultTimeoutSeconds
                                                            : std::min(seconds, kMaxTimeoutSeconds)) *
         1000;
}

// Connects to the server and makes the connection handshake; id receives the identifier that
// follows "OK" when a callback channel is announced.
bool ConnectAndShakeHands(CRSocket& socket, uint16_t port, const GatewayConnectInfo& info, uint32_t flag,
                          uint64_t& id) {
  const uint32_t timeoutMs = TimeoutMs(info.connectTimeoutSeconds);
  CNPacketHolder packet;
  BeginFrame(packet);
  if (!socket.Connect("127.0.0.1", port, timeoutMs) ||
      !WriteHandshake(packet, {info.clientKind, info.processId, info.clientId, flag, id}) ||
      !FinishFrame(packet, kChannelCommand) || !socket.SendAll(packet.GetData(), packet.GetSize(), timeoutMs))
    return false;
  CNSocketByteSource source(socket, timeoutMs);
  char ok[2] = {};
  return ReceiveFrame(source, kChannelCommand, packet, kServerMaxFrameLength).Succeeded() && packet.Read(ok, 2) &&
         ok[0] == 'O' && ok[1] == 'K' && (flag != kHandshakeWithCallback || packet.ReadU64(id));
}

}  // namespace

bool ParseGatewayConnectText(std::string_view text, GatewayConnectInfo& info) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (fields.size() < kConnectFields) return false;
  // After the pass-through text: process id, client id, identity, counter, node, port, connect
  // time-out, receive time-out, callback, client kind, 10.
  const std::string_view* field = fields.data() + fields.size() - (kConnectFields - 1);
  uint32_t kind = 0;
  if (!ParseField(field[0], info.processId) || !ParseField(field[1], info.clientId) ||
      !ParseField(field[9], kind) || kind > 255 || (field[8] != "Y" && field[8] != "N"))
    return false;
  info.clientKind = static_cast<uint8_t>(kind);
  info.callback = field[8] == "Y";
  if (!ParseField(field[6], info.connectTimeoutSeconds)) info.connectTimeoutSeconds = 0;
  return true;
}

bool GatewayRelay::Open(uint16_t serverPort, const GatewayConnectInfo& info) {
  uint64_t id = 0;
  const uint32_t flag = info.callback ? kHandshakeWithCallback : kHandshakeNoCallback;
  return ConnectAndShakeHands(m_command, serverPort, info, flag, id) &&
         (!info.callback || ConnectAndShakeHands(m_callback, serverPort, info, kHandshakeIsCallback, id));
}

bool GatewayRelay::ReceiveWaiting(CRSocket& socket, std::vector<uint8_t>& bytes) {
  const size_t waiting = std::min(socket.GetBytesWaiting(), kReadChunk);
  // Readable with nothing waiting: the server closed the connection.
  if (waiting == 0 || bytes.size() + waiting > kMaxRelayBytes) return false;
  const size_t start = bytes.size();
  bytes.resize(start + waiting);
  return socket.ReceiveExact(bytes.data() + start, waiting, 0);
}

std::vector<uint8_t> GatewayRelay::Send(const std::vector<uint8_t>& message, int timeoutMs) {
  if (message.size() > 4 && message[4] == kChannelCallback) {
    std::lock_guard<std::mutex> guard(m_callbackLock);
    if (m_callback.IsOpen() && !m_callback.SendAll(message.data(), message.size(), kSendTimeoutMs)) m_bBroken = true;
    return {};
  }
  std::lock_guard<std::mutex> guard(m_commandLock);
  m_command.DiscardWaiting();
  if (!m_command.SendAll(message.data(), message.size(), kSendTimeoutMs)) {
    m_bBroken = true;
    return {};
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::vector<uint8_t> answer;
  size_t scanned = 0;
  for (;;) {
    for (;;) {
      const CNFrameScan scan = ScanFrame(std::span(answer).subspan(scanned), kServerMaxFrameLength);
      if (scan.outcome == CNFrameScan::kIncomplete) break;
      scanned += scan.end;
      // A header with a broken length ends there; the client meets the same broken length.
      if (scan.channel == kChannelCommand) {
        answer.resize(scanned);
        return answer;
      }
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0 || !m_command.WaitForData(static_cast<uint32_t>(left))) return {};
    if (!ReceiveWaiting(m_command, answer)) {
      m_bBroken = true;
      return {};
    }
  }
}

std::vector<uint8_t> GatewayRelay::Poll() {
  std::lock_guard<std::mutex> guard(m_callbackLock);
  if (!m_callback.IsOpen()) return {};
  while (m_callback.WaitForData(0)) {
    if (!ReceiveWaiting(m_callback, m_callbackBytes)) {
      m_bBroken = true;
      break;
    }
  }
  size_t complete = 0;
  // Whole frames only; a frame still arriving stays for the next poll.
  for (;;) {
    const CNFrameScan scan = ScanFrame(std::span(m_callbackBytes).subspan(complete), kServerMaxFrameLength);
    if (scan.outcome == CNFrameScan::kIncomplete) break;
    complete += scan.end;
  }
  const auto split = m_callbackBytes.begin() + static_cast<ptrdiff_t>(complete);
  std::vector<uint8_t> frames(m_callbackBytes.begin(), split);
  m_callbackBytes.erase(m_callbackBytes.begin(), split);
  return frames;
}

void GatewayRelay::Close() {
  m_bBroken = true;
  m_command.Shutdown();
  m_callback.Shutdown();
}

}  // namespace panel_sim
