#include "comm/standard_stub.h"

#include <unistd.h>

#include "comm/frame.h"

CNStandardStub::~CNStandardStub() {
  Stop();
}

void CNStandardStub::OnCallback(CNPacketHolder&) {}

std::u16string CNStandardStub::GetInfoText() const {
  return {};
}

uint8_t CNStandardStub::GetClientKind() const {
  return 0;
}

uint32_t CNStandardStub::GetState() const {
  return m_bStarted ? kStarted : kNotStarted;
}

bool CNStandardStub::Start(uint32_t ownerId, std::u16string_view serviceName,
                           CNConnectionSettings& settings) {
  if (m_bStarted) return true;
  if (!m_pClient) {
    m_pClient = settings.CreateClient();
    m_pClient->SetSink(this);
  }
  m_ulOwnerId = ownerId;
  m_strService = serviceName;
  m_pSettings = CRPtr<CNConnectionSettings>::Retain(&settings);
  m_bStarted = true;
  return Connect() || (IsRedundant() && Connect());
}

void CNStandardStub::Stop() {
  m_bStarted = false;
  Disconnect(false);
}

bool CNStandardStub::Connect() {
  if (!m_pClient) return Fail(ClientResult::Fail(u"Not connected."));
  if (m_pClient->IsConnected()) return true;
  ClientResult result = m_pClient->Connect(m_pSettings->GetConnectionString(), GetClientKind(),
                                           static_cast<uint32_t>(getpid()), m_ulOwnerId, m_bCallbackChannel);
  if (!result.Succeeded()) {
    Disconnect(true);
    return Fail(result);
  }
  // The handshake goes through the answer packet: a reconnect must keep the request.
  uint8_t id = 0;
  result = BuildPacket(
      m_answer, [this](CNDAPacketCreatorSimple& creator) { return AddConnectCommand(creator); }, id);
  if (result.Succeeded()) result = m_pClient->SendCommand(m_answer);
  if (result.Succeeded()) result = m_pClient->Receive(m_answer);
  if (!result.Succeeded()) {
    Disconnect(true);
    return Fail(result);
  }
  result = ReadConfirmation(id);
  if (!result.Succeeded()) {
    Disconnect(result.status == CS_SERVER_REFUSED);
    return Fail(result);
  }
  return true;
}

bool CNStandardStub::AddConnectCommand(CNDAPacketCreatorSimple& creator) {
  return creator.BeginCommand(m_pSettings->IsFixedServer() ? u"Connect" : u"Connect2") &&
         creator.AddText(m_strService);
}

void CNStandardStub::Disconnect(bool advance) {
  if (!m_pClient) return;
  m_pClient->Disconnect();
  if (advance && !m_pSettings->IsFixedServer()) m_pSettings->AdvanceNode();
}

bool CNStandardStub::Transact() {
  // The id of the request sits right after the frame header.
  const uint8_t id = m_packet.GetSize() > kFrameHeaderSize ? m_packet.GetData()[kFrameHeaderSize] : 0;
  if (!SendWithRetry() || !ReceiveWithRetry()) return false;
  const ClientResult result = ReadConfirmation(id);
  if (result.Succeeded()) return true;
  if (result.status != CS_SERVER_REFUSED) Disconnect(false);
  return Fail(result);
}

bool CNStandardStub::SendWithRetry() {
  if (!m_pClient) return Fail(ClientResult::Fail(u"Not connected."));
  ClientResult result = m_pClient->SendCommand(m_packet);
  if (!result.Succeeded() && IsRedundant() && !Resend(result)) return false;
  if (result.Succeeded()) return true;
  Disconnect(true);
  return Fail(result);
}

bool CNStandardStub::ReceiveWithRetry() {
  if (!m_pClient) return Fail(ClientResult::Fail(u"Not connected."));
  ClientResult result = m_pClient->Receive(m_answer);
  if (!result.Succeeded() && IsRedundant()) {
    if (!Resend(result)) return false;
    if (result.Succeeded()) result = m_pClient->Receive(m_answer);
  }
  if (result.Succeeded()) return true;
  Disconnect(true);
  return Fail(result);
}

bool CNStandardStub::Resend(ClientResult& result) {
  Disconnect(true);
  if (!Connect()) return false;
  result = m_pClient->SendCommand(m_packet);
  return true;
}

ClientResult CNStandardStub::ReadConfirmation(uint8_t id) {
  const ClientResult checked = CheckAnswer(m_answer, id);
  if (!checked.Succeeded()) return checked;
  // confirmation := u32 ok, (ok ? ... : error text)
  uint32_t ok = 0;
  if (!m_answer.ReadU32(ok)) return ClientResult::Fail(CS_INVALID_PACKET);
  if (ok != 0) return ClientResult::Ok();
  std::u16string text;
  m_answer.ReadText(text);
  return ClientResult::Fail(CS_SERVER_REFUSED, text);
}

void CNStandardStub::SetTimeout(int seconds) {
  if (m_pClient) m_pClient->SetTimeout(seconds);
}

bool CNStandardStub::BuildRequest(std::u16string_view command, const ArgumentWriter& arguments) {
  if (!m_pClient) return Fail(ClientResult::Fail(u"Not connected."));
  uint8_t id = 0;
  const ClientResult result = BuildPacket(
      m_packet,
      [&](CNDAPacketCreatorSimple& creator) {
        return creator.BeginCommand(command) && (!arguments || arguments(creator));
      },
      id);
  return result.Succeeded() || Fail(result);
}

ClientResult CNStandardStub::BuildPacket(CNPacketHolder& packet, const ArgumentWriter& command, uint8_t& id) {
  packet.Reset();
  m_pClient->BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  const bool built = command(creator);
  m_pClient->EndPacket(packet);
  id = creator.GetPacketId();
  // A failed buffer is reported by the send with the size it asked for.
  if (!built && !packet.IsFailed()) return ClientResult::Fail(CS_FRAME_TOO_LARGE);
  return ClientResult::Ok();
}

bool CNStandardStub::Fail(ClientResult failure) {
  m_lastFailure = std::move(failure);
  return false;
}
