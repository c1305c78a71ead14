#include "comm/da_client_soap.h"

#include <utility>
#include <vector>

#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

constexpr size_t kConnectionFields = 10;
// The last number of the connect text; the gateway expects it.
constexpr uint32_t kConnectTextVersion = 10;

// The fields of the connection string. The password is everything between the user name and
// the last six fields, so that it may hold ",".
struct SoapConnection {
  std::string passThrough;
  std::string url;
  std::string user;
  std::string password;
  std::string node;
  int port = 0;
  int connectTimeout = 0;
  int receiveTimeout = 0;
};

bool ParseConnection(std::u16string_view text, SoapConnection& out) {
  const std::vector<std::u16string_view> fields = CNDAClientTcpBase::SplitConnectionString(text);
  if (fields.size() < kConnectionFields) return false;
  const size_t tail = fields.size() - 6;  // node, port, connect and receive time-out, count, ping
  out.passThrough = Utf16ToUtf8(fields[0]);
  out.url = Utf16ToUtf8(fields[1]);
  out.user = Utf16ToUtf8(fields[2]);
  const char16_t* passwordStart = fields[3].data();
  const char16_t* passwordEnd = fields[tail - 1].data() + fields[tail - 1].size();
  out.password =
      Utf16ToUtf8(std::u16string_view(passwordStart, static_cast<size_t>(passwordEnd - passwordStart)));
  out.node = Utf16ToUtf8(fields[tail]);
  out.port = ParseLeadingInt32(fields[tail + 1]);
  out.connectTimeout = CNDAClientTcpBase::ParseTimeoutSeconds(fields[tail + 2]);
  out.receiveTimeout = CNDAClientTcpBase::ParseTimeoutSeconds(fields[tail + 3]);
  return true;
}

uint32_t SecondsToMs(int64_t seconds) {
  return seconds >= UINT32_MAX / 1000 ? UINT32_MAX : static_cast<uint32_t>(seconds * 1000);
}

// The client's own identity in the connect text: a pointer-sized upper-case hexadecimal number.
std::string IdentityText(const void* self) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto value = reinterpret_cast<uintptr_t>(self);
  std::string text(2 * sizeof(uintptr_t), '0');
  for (size_t i = text.size(); i-- > 0; value >>= 4) text[i] = kDigits[value & 0x0F];
  return text;
}

// The identifier is the gateway's text (up to a NUL, if it sends one); it goes back inside
// every request, so it must be printable ASCII without spaces and without the field separator
// ":".
bool TakeConnectionId(const std::vector<uint8_t>& data, std::string& id) {
  std::string text;
  for (uint8_t byte : data) {
    if (byte == 0) break;
    if (byte <= 0x20 || byte >= 0x7F || byte == ':') return false;
    text.push_back(static_cast<char>(byte));
  }
  if (text.empty()) return false;
  id = std::move(text);
  return true;
}

}  // namespace

CNDAClientSoap::CNDAClientSoap() : CNDAClientSoap(std::make_unique<CNSoapTransportCurl>()) {}

CNDAClientSoap::CNDAClientSoap(std::unique_ptr<CNSoapTransport> transport, const CNSoapTimings& timings)
    : m_pTransport(std::move(transport)), m_timings(timings), m_strConnectionId("*") {
  const uint32_t slice = m_timings.stopWaitMs / CRThread::kStopSlicesBeforeForcedEnd;
  m_pollThread.SetStopSliceMs(slice > 0 ? slice : 1);
}

CNDAClientSoap::~CNDAClientSoap() {
  CNDAClientSoap::Disconnect();
  m_pollThread.Stop(true);
}

std::u16string CNDAClientSoap::GetAddress() const {
  return Utf8ToUtf16(m_strUrl);
}

ClientResult CNDAClientSoap::Connect(std::u16string_view connection, uint8_t clientKind, uint32_t processId,
                                     uint32_t clientId, bool callbackChannel) {
  if (IsConnected()) return ClientResult::Ok();
  // A thread told to end by a Disconnect from its own sink is joined here.
  m_pollThread.Stop(true);
  m_bStop.store(false, std::memory_order_release);
  m_strConnectionId.assign(1, '*');
  m_commandQueue.Clear();
  m_callbackQueue.Clear();
  ++m_ulConnectCount;

  SoapConnection fields;
  if (!ParseConnection(connection, fields)) return ClientResult::Fail(CS_CONNECT_FAILED);
  m_strUrl = std::move(fields.url);
  m_strUser = std::move(fields.user);
  m_strPassword = std::move(fields.password);
  m_strRequestPrefix = std::to_string(fields.receiveTimeout) + "|";
  // The gateway may spend the connect time-out reaching the panel server and the receive
  // time-out waiting for its answer before it answers us.
  m_ulConnectTimeoutMs = SecondsToMs(fields.connectTimeout);
  m_ulRequestTimeoutMs = SecondsToMs(int64_t{fields.connectTimeout} + fields.receiveTimeout);

  // pass-through, process id, client id, identity, connect count, node, port, connect time-out,
  // receive time-out, callback channel, client kind, version
  std::string text = fields.passThrough;
  for (const std::string& part :
       {std::to_string(processId), std::to_string(clientId), IdentityText(this),
        std::to_string(m_ulConnectCount), fields.node, std::to_string(fields.port),
        std::to_string(fields.connectTimeout), std::to_string(fields.receiveTimeout),
        std::string(callbackChannel ? "Y" : "N"), std::to_string(clientKind),
        std::to_string(kConnectTextVersion)}) {
    text.append(",").append(part);
  }
  CNSoapReceiveQueue answer;
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  if (PostMessage(kSoapConnect, bytes, text.size(), &answer, nullptr).result != kPostOk ||
      !TakeConnectionId(answer.TakeFront(), m_strConnectionId)) {
    return ClientResult::Fail(CS_CONNECT_FAILED);
  }

  m_bConnected.store(true, std::memory_order_release);
  if (callbackChannel && !m_pollThread.Start(*this)) {
    PostMessage(kSoapDisconnect, nullptr, 0, nullptr, nullptr);
    m_bConnected.store(false, std::memory_order_release);
    m_strConnectionId.assign(1, '*');
    return ClientResult::Fail(CS_THREAD_FAILED);
  }
  return ClientResult::Ok();
}

ClientResult CNDAClientSoap::Disconnect() {
  if (!IsConnected()) return ClientResult::Ok();
  // A poll in progress gives up at once; a waiting thread wakes.
  m_bStop.store(true, std::memory_order_release);
  m_pollThread.RequestStop();
  PostMessage(kSoapDisconnect, nullptr, 0, nullptr, nullptr);
  // Called from a sink on the polling thread, this only asks the thread to end.
  m_pollThread.Stop(true);
  m_bConnected.store(false, std::memory_order_release);
  m_strConnectionId.assign(1, '*');
  return ClientResult::Ok();
}

ClientResult CNDAClientSoap::SendCommand(CNPacketHolder& packet) {
  return Send(packet, kChannelCommand);
}

ClientResult CNDAClientSoap::SendCallback(CNPacketHolder& packet) {
  return Send(packet, kChannelCallback);
}

ClientResult CNDAClientSoap::Send(CNPacketHolder& packet, uint8_t channel) {
  ClientResult completed = CompleteFrame(packet, channel);
  if (!completed.Succeeded()) return completed;
  // An answer left over from an earlier request must not be taken for this one's.
  m_commandQueue.Clear();
  const PostOutcome outcome =
      PostMessage(kSoapSend, packet.GetData(), packet.GetSize(), &m_commandQueue, nullptr);
  m_lastSendStatus = outcome.result;
  if (outcome.result == kPostHttpFailed)
    return ClientResult::Fail(CS_SEND_FAILED, outcome.errorCode);
  return ClientResult::Ok();
}

ClientResult CNDAClientSoap::Receive(CNPacketHolder& packet) {
  return ReceiveFrame(m_commandQueue, kChannelCommand, packet);
}

CNDAClientSoap::PostOutcome CNDAClientSoap::PostMessage(uint8_t type, const uint8_t* data, size_t size,
                                                        CNSoapReceiveQueue* queue,
                                                        const std::atomic<bool>* cancel) {
  size_t received = 0;
  uint32_t continuations = 0;
  CNSoapAnswer answer;
  // Keeps an answer's data, within the bound on what one message may bring back.
  auto keep = [&]() {
    received += answer.data.size();
    if (received > kSoapMaxAnswerBytes) return false;
    if (queue != nullptr) queue->Append(std::move(answer.data));
    return true;
  };
  for (const CNSoapChunkSpan& chunk : SplitSoapMessage(size)) {
    const PostOutcome outcome =
        PostChunk(type, chunk.first, chunk.more, data + chunk.offset, chunk.length, answer, cancel);
    if (outcome.result != kPostOk) return outcome;
    if (!keep()) return {kPostBadAnswer};
  }
  // The answer to the last chunk may announce more: empty requests fetch them.
  while (answer.more) {
    if ((type != kSoapSend && type != kSoapPoll) || ++continuations > kSoapMaxAnswerChunks)
      return {kPostBadAnswer};
    const PostOutcome outcome = PostChunk(type, false, false, nullptr, 0, answer, cancel);
    if (outcome.result != kPostOk) return outcome;
    if (!keep()) return {kPostBadAnswer};
  }
  return {kPostOk};
}

CNDAClientSoap::PostOutcome CNDAClientSoap::PostChunk(uint8_t type, bool first, bool more,
                                                      const uint8_t* data, size_t length,
                                                      CNSoapAnswer& answer, const std::atomic<bool>* cancel) {
  const uint16_t sequence = static_cast<uint8_t>(m_ucSequence.fetch_add(1, std::memory_order_relaxed) + 1);
  CNSoapRequest request;
  request.url = m_strUrl;
  request.action = std::string(kSoapAction);
  request.body = BuildSoapEnvelope(
      BuildSoapRequestText(m_strRequestPrefix, type, m_strConnectionId, first, more, sequence, data, length));
  request.user = m_strUser;
  request.password = m_strPassword;
  request.connectTimeoutMs = m_ulConnectTimeoutMs;
  request.timeoutMs = m_ulRequestTimeoutMs;
  request.cancel = cancel;
  std::string response;
  uint32_t errorCode = 0;
  if (!m_pTransport->Post(request, response, errorCode)) {
    CRTrace::Printf("Fail to XMLHttpRequest. HRESULT:%x", errorCode);
    return {kPostHttpFailed, errorCode};
  }
  answer.data.clear();
  if (!ParseSoapAnswer(response, answer)) return {kPostBadAnswer};
  if (answer.type == kSoapRefused) return {kPostRefused};
  return {kPostOk};
}

bool CNDAClientSoap::Poll() {
  PostMessage(kSoapPoll, nullptr, 0, &m_callbackQueue, &m_bStop);
  // Whatever arrived is delivered, even when a later answer of the poll failed.
  const bool arrived = m_callbackQueue.HasUnread();
  while (m_callbackQueue.HasUnread() && !m_bStop.load(std::memory_order_acquire)) {
    const ClientResult result = ReceiveFrame(m_callbackQueue, kChannelCallback, m_callbackPacket);
    if (!result.Succeeded()) {
      CRTrace::Line(result.message);
      continue;
    }
    if (ClientConnectionPoint* sink = GetSink()) sink->OnCallback(m_callbackPacket);
  }
  return arrived;
}

void CNDAClientSoap::OnThreadStart(CRThread&) {
  m_ulNextPollDelayMs = m_timings.firstPollDelayMs;
}

bool CNDAClientSoap::OnThreadTick(CRThread& thread) {
  if (thread.WaitForStop(m_ulNextPollDelayMs) || m_bStop.load(std::memory_order_acquire)) return false;
  m_ulNextPollDelayMs = Poll() ? 0 : m_timings.idlePollDelayMs;
  return true;
}
