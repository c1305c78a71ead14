#include "comm/da_client_tcp.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "comm/socket_byte_source.h"
#include "support/file_time.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

constexpr uint8_t kClientInfo[] = {'C', 'L', 'I', 'E', 'N', 'T', 'I', 'N', 'F', 'O', 0};

// The client whose callback thread is the calling thread, so that a Disconnect made from inside
// a callback knows not to wait for its own thread.
thread_local const CNDAClientTcp* t_callbackClient = nullptr;

uint32_t SecondsToMs(int seconds) {
  return static_cast<uint32_t>(std::min<int64_t>(int64_t{seconds} * 1000, UINT32_MAX));
}

}  // namespace

CNDAClientTcp::Settings CNDAClientTcp::Settings::Parse(std::u16string_view connection) {
  const auto fields = SplitConnectionString(connection);
  const auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : std::u16string_view(); };
  Settings settings;
  settings.host = field(0);
  settings.port = static_cast<uint32_t>(ParseLeadingInt32(field(1)));
  settings.connectTimeout = ParseTimeoutSeconds(field(2));
  settings.receiveTimeout = ParseTimeoutSeconds(field(3));
  const int count = ParseLeadingInt32(field(4));
  settings.count = count == 0 ? kDefaultCount : count;
  settings.ping = !field(5).empty() && ToUpperAscii(field(5)[0]) == u'Y';
  return settings;
}

CNDAClientTcp::~CNDAClientTcp() {
  Disconnect();
  ReapCallbackThread();
}

void CNDAClientTcp::SetTimeout(int seconds) {
  m_lReceiveTimeout.store(seconds > 0 ? seconds : kDefaultTimeoutSeconds, std::memory_order_relaxed);
}

uint32_t CNDAClientTcp::ReceiveTimeoutMs() const {
  return SecondsToMs(GetReceiveTimeout());
}

ClientResult CNDAClientTcp::Connect(std::u16string_view connection, uint8_t clientKind, uint32_t processId,
                                    uint32_t clientId, bool callbackChannel) {
  if (IsConnected()) return ClientResult::Ok();
  if (!ReapCallbackThread()) return ClientResult::Fail(CS_CONNECT_FAILED);
  m_bStop.store(false, std::memory_order_release);
  m_bThreadExited.store(false, std::memory_order_release);
  m_bInCallback.store(false, std::memory_order_release);

  const Settings settings = Settings::Parse(connection);
  m_strHost = settings.host;
  m_ulPort = settings.port;
  m_lConnectTimeout = settings.connectTimeout;
  m_lReceiveTimeout.store(settings.receiveTimeout, std::memory_order_relaxed);
  m_lCount = settings.count;
  m_bCallbackChannel = callbackChannel;
  m_ullConnectionId = 0;

  std::string address;
  int error = 0;
  if (!CRSocket::Resolve(Utf16ToUtf8(m_strHost), address, error)) {
    CRTrace::Printf("CNDAClientTcp::Connect: cannot resolve \"%s\" (error %d)",
                    Utf16ToUtf8(m_strHost).c_str(), error);
    return ClientResult::Fail(CS_CONNECT_FAILED);
  }
  m_strAddress = AsciiToUtf16(address);
  if (settings.ping && PingHost(address, kPingTimeoutMs) == PingResult::kNoAnswer)
    return ClientResult::Fail(CS_PING_FAILED);

  ClientResult result = ConnectSocket(m_commandSocket, address);
  if (result.Succeeded()) {
    result = Handshake(m_commandSocket, clientKind, processId, clientId,
                       callbackChannel ? kCallbackChannelFollows : kNoCallbackChannel);
  }
  if (result.Succeeded() && callbackChannel) {
    result = OpenCallbackChannel(address, clientKind, processId, clientId);
  } else if (result.Succeeded()) {
    m_bConnected.store(true, std::memory_order_release);
  }
  if (!result.Succeeded()) CloseSockets();
  return result;
}

ClientResult CNDAClientTcp::OpenCallbackChannel(const std::string& address, uint8_t clientKind,
                                                uint32_t processId, uint32_t clientId) {
  ClientResult result = ConnectSocket(m_callbackSocket, address);
  if (result.Succeeded())
    result = Handshake(m_callbackSocket, clientKind, processId, clientId, kIsCallbackChannel);
  if (!result.Succeeded()) return result;
  // The thread is the connection: its first callback, which may disconnect, can come before
  // Connect returns.
  m_threadEnded.Reset();
  m_bConnected.store(true, std::memory_order_release);
  try {
    m_callbackThread = std::thread(&CNDAClientTcp::CallbackLoop, this);
  } catch (const std::system_error& failure) {
    CRTrace::Printf("CNDAClientTcp::Connect: cannot create the callback thread: %s", failure.what());
    m_bConnected.store(false, std::memory_order_release);
    m_threadEnded.Set();
    return ClientResult::Fail(CS_THREAD_FAILED);
  }
  return result;
}

ClientResult CNDAClientTcp::ConnectSocket(CRSocket& socket, const std::string& address) {
  if (m_ulPort > UINT16_MAX ||
      !socket.Connect(address, static_cast<uint16_t>(m_ulPort), SecondsToMs(m_lConnectTimeout))) {
    CRTrace::Printf("CNDAClientTcp::Connect: cannot connect to %s:%u (error %d)", address.c_str(), m_ulPort,
                    m_ulPort > UINT16_MAX ? EINVAL : socket.GetLastError());
    return ClientResult::Fail(CS_CONNECT_FAILED);
  }
  return ClientResult::Ok();
}

// Handshake payload: "CLIENTINFO" and NUL, client kind, u32 process id, u32 client id, u32
// channel flag, u64 connection identifier. The answer starts with "OK"; when a callback channel
// follows, the connection identifier comes after it.
ClientResult CNDAClientTcp::Handshake(CRSocket& socket, uint8_t clientKind, uint32_t processId,
                                      uint32_t clientId, HandshakeFlag flag) {
  CNPacketHolder packet;
  BeginPacket(packet);
  packet.Write(kClientInfo, sizeof(kClientInfo));
  packet.WriteU8(clientKind);
  packet.WriteU32(processId);
  packet.WriteU32(clientId);
  packet.WriteU32(flag);
  packet.WriteU64(flag == kIsCallbackChannel ? m_ullConnectionId : 0);
  EndPacket(packet);
  ClientResult result = SendFrame(socket, packet, kChannelCommand);
  if (result.Succeeded()) {
    CNSocketByteSource source(socket, ReceiveTimeoutMs());
    result = ReceiveFrame(source, kChannelCommand, packet);
  }
  if (!result.Succeeded()) {
    CRTrace::Line(u"CNDAClientTcp::Connect: handshake failed: " + result.message);
    return ClientResult::Fail(CS_CONNECT_FAILED);
  }
  uint8_t ok[2] = {};
  if (!packet.Read(ok, 2) || ok[0] != 'O' || ok[1] != 'K')
    return ClientResult::Fail(CS_CONNECT_REFUSED);
  if (flag == kCallbackChannelFollows && !packet.ReadU64(m_ullConnectionId))
    return ClientResult::Fail(CS_CONNECT_REFUSED);
  return ClientResult::Ok();
}

ClientResult CNDAClientTcp::SendFrame(CRSocket& socket, CNPacketHolder& packet, uint8_t channel) {
  ClientResult result = CompleteFrame(packet, channel);
  if (!result.Succeeded()) return result;
  if (!socket.SendAll(packet.GetData(), packet.GetSize(), ReceiveTimeoutMs()))
    return ClientResult::Fail(CS_SEND_FAILED, static_cast<uint32_t>(socket.GetLastError()));
  return result;
}

ClientResult CNDAClientTcp::SendCommand(CNPacketHolder& packet) {
  // A late answer to an earlier request must not pass for the answer to this one.
  m_commandSocket.DiscardWaiting();
  return SendFrame(m_commandSocket, packet, kChannelCommand);
}

ClientResult CNDAClientTcp::SendCallback(CNPacketHolder& packet) {
  m_callbackSocket.DiscardWaiting();
  return SendFrame(m_callbackSocket, packet, kChannelCallback);
}

ClientResult CNDAClientTcp::Receive(CNPacketHolder& packet) {
  CNSocketByteSource source(m_commandSocket, ReceiveTimeoutMs());
  return ReceiveFrame(source, kChannelCommand, packet);
}

void CNDAClientTcp::CallbackLoop() {
  t_callbackClient = this;
  CNPacketHolder packet;
  m_ulRapidErrors = 0;
  m_ulLastErrorTick = CRTickCount() - kRapidFailureMs;
  while (!m_bStop.load(std::memory_order_acquire)) {
    if (m_callbackSocket.WaitForData(kCallbackWaitMs)) {
      CNSocketByteSource source(m_callbackSocket, ReceiveTimeoutMs());
      const ClientResult result = ReceiveFrame(source, kChannelCallback, packet);
      if (result.Succeeded()) {
        if (ClientConnectionPoint* sink = GetSink(); sink && !m_bStop.load(std::memory_order_acquire)) {
          m_bInCallback.store(true, std::memory_order_release);
          sink->OnCallback(packet);
          m_bInCallback.store(false, std::memory_order_release);
        }
        m_ulRapidErrors = 0;
        continue;
      }
      CRTrace::Line(u"CNDAClientTcp: callback channel: " + result.message);
    }
    if (m_bStop.load(std::memory_order_acquire) || EndsAfterFailure()) break;
  }
  t_callbackClient = nullptr;
  m_bThreadExited.store(true, std::memory_order_release);
  m_threadEnded.Set();
}

bool CNDAClientTcp::EndsAfterFailure() {
  // A reset or closed connection will not recover; anything else ends the thread only when it
  // keeps failing at once.
  if (m_callbackSocket.IsPeerClosed() || m_callbackSocket.GetLastError() == ECONNRESET) return true;
  const uint32_t now = CRTickCount();
  m_ulRapidErrors = now - m_ulLastErrorTick < kRapidFailureMs ? m_ulRapidErrors + 1 : 0;
  m_ulLastErrorTick = now;
  return m_ulRapidErrors > kRapidFailureLimit;
}

ClientResult CNDAClientTcp::Disconnect() {
  if (!IsConnected()) return ClientResult::Ok();
  m_bStop.store(true, std::memory_order_release);
  m_commandSocket.Close();
  // The thread may be waiting on the callback socket: ending the connection wakes it, and the
  // socket is released once the thread is done with it.
  if (m_bCallbackChannel) m_callbackSocket.Shutdown();
  if (t_callbackClient != this) {  // a callback cannot wait for its own thread
    bool ended = m_threadEnded.Wait(kThreadEndWaitMs);
    while (!ended && !m_bInCallback.load(std::memory_order_acquire))
      ended = m_threadEnded.Wait(kThreadEndStepMs);
    if (ended) ReapCallbackThread();
  }
  m_bConnected.store(false, std::memory_order_release);
  return ClientResult::Ok();
}

bool CNDAClientTcp::ReapCallbackThread() {
  if (t_callbackClient == this) return false;
  if (m_callbackThread.joinable()) m_callbackThread.join();
  m_callbackSocket.Close();
  return true;
}

void CNDAClientTcp::CloseSockets() {
  m_commandSocket.Close();
  m_callbackSocket.Close();
}
