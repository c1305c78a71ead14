#include "panel_server_sim/connection.h"

#include <sys/socket.h>

#include "comm/frame.h"
#include "panel_server_sim/alarm_service.h"
#include "panel_server_sim/answer_faults.h"
#include "panel_server_sim/command_packet.h"
#include "panel_server_sim/command_router.h"
#include "panel_server_sim/handshake.h"

namespace panel_sim {

namespace {

// A send that cannot finish in this time ends the connection.
constexpr uint32_t kSendTimeoutMs = 5000;

}  // namespace

Connection::Connection(ServerContext& server, UniqueFd socket)
    : m_server(server), m_pSocket(std::make_shared<PeerSocket>(std::move(socket))), m_source(m_pSocket->GetFd(), -1) {
  SetSendTimeout(m_pSocket->GetFd(), kSendTimeoutMs);
}

Connection::~Connection() {
  RequestStop();
  m_thread.Stop(true);
}

void Connection::RequestStop() {
  m_thread.RequestStop();
  m_pSocket->Shutdown();
}

bool Connection::OnThreadTick(CRThread&) {
  switch (m_role) {
    case Role::kHandshake: return ServeHandshake();
    case Role::kCommand: return ServeCommand();
    default: return WaitForCallbackEnd();
  }
}

void Connection::OnThreadEnd(CRThread&) {
  m_pSocket->Shutdown();
  if (!m_state.shared) return;
  const uint64_t id = m_state.shared->GetId();
  m_server.connections.Remove(id);
  m_server.alarms.Unsubscribe(id);
  if (const std::shared_ptr<PeerSocket> callback = m_state.shared->GetCallback()) callback->Shutdown();
}

bool Connection::SendHandshakeAnswer(bool ok, const uint64_t* id) {
  BeginFrame(m_answer);
  m_answer.Write(ok ? "OK" : "NG", 2);
  if (id) m_answer.WriteU64(*id);
  FinishFrame(m_answer, kChannelCommand);
  return m_pSocket->Send(m_answer.GetData(), m_answer.GetSize()) && ok;
}

bool Connection::ServeHandshake() {
  if (!ReceiveFrame(m_source, kChannelCommand, m_request, kServerMaxFrameLength).Succeeded()) return false;
  Handshake handshake;
  if (!ReadHandshake(m_request, handshake) || m_server.faults.refuseHandshake) return SendHandshakeAnswer(false, nullptr);
  m_state.clientKind = handshake.clientKind;
  m_state.processId = handshake.processId;
  m_state.clientId = handshake.clientId;
  if (handshake.flag == kHandshakeIsCallback) {
    const std::shared_ptr<ConnectionShared> owner = m_server.connections.Find(handshake.connectionId);
    if (!owner) return SendHandshakeAnswer(false, nullptr);
    owner->SetCallback(m_pSocket);
    m_role = Role::kCallback;
    return SendHandshakeAnswer(true, nullptr);
  }
  if (handshake.flag != kHandshakeNoCallback && handshake.flag != kHandshakeWithCallback)
    return SendHandshakeAnswer(false, nullptr);
  m_state.shared = m_server.connections.Add();
  m_role = Role::kCommand;
  const uint64_t ownId = m_state.shared->GetId();
  if (!SendHandshakeAnswer(true, handshake.flag == kHandshakeWithCallback ? &ownId : nullptr)) return false;
  return !(m_server.faults.closeAfter && m_server.faults.closeAfterAnswers == 0);
}

bool Connection::ServeCommand() {
  if (!ReceiveFrame(m_source, kChannelCommand, m_request, kServerMaxFrameLength).Succeeded())
    return !m_source.IsBroken();  // a damaged frame is dropped; the stream goes on
  const FaultSettings& faults = m_server.faults;
  if (faults.stopAnswering) return true;
  std::function<void()> afterAnswer;
  if (!AnswerCommand(m_server, m_state, m_request, m_answer, afterAnswer)) return true;
  if (faults.delay && m_thread.WaitForStop(faults.delayMs)) return false;
  if (DamagesAnswers(faults)) {
    const std::vector<uint8_t> wire = AnswerWireBytes(FrameBytes(m_answer), faults);
    if (!m_pSocket->Send(wire.data(), wire.size())) return false;
  } else if (!m_pSocket->Send(m_answer.GetData(), m_answer.GetSize())) {
    return false;
  }
  if (afterAnswer) afterAnswer();
  ++m_ulAnswers;
  return !(faults.closeAfter && m_ulAnswers >= faults.closeAfterAnswers);
}

bool Connection::WaitForCallbackEnd() {
  // Whatever the client sends on its callback socket is read and dropped.
  uint8_t scratch[4096];
  if (WaitReadable(m_pSocket->GetFd(), -1) < 0) return false;
  return recv(m_pSocket->GetFd(), scratch, sizeof scratch, 0) > 0;
}

}  // namespace panel_sim
