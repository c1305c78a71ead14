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
  if (!m_pClient) return Fail(u"Not connected.");
  if (m_pClient->IsConnected()) return true;
  ClientResult result = m_pClient->Connect(m_pSettings->GetConnectionString(), GetClientKind(),
                                           static_cast<uint32_t>(getpid()), m_ulOwnerId, m_bCallbackChannel);
  if (!result.Succeeded()) {
    Disconnect(true);
    return Fail(result.message);
  }
  // The handshake goes through the answer packet: a reconnect must keep the request.
  uint8_t id = 0;
  result = BuildPacket(
      m_answer, [this](CNDAPacketCreatorSimple& creator) { return AddConnectCommand(creator); }, id);
  if (result.Succeeded()) result = m_pClient->SendCommand(m_answer);
  if (result.Succeeded()) result = m_pClient->Receive(m_answer);
  if (!result.Succeeded()) {
    Disconnect(true);
    return Fail(result.message);
  }
  bool refused = false;
  result = ReadConfirmation(id, refused);
  if (!result.Succeeded()) {
    Disconnect(refused);
    return Fail(result.message);
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
  bool refused = false;
  const ClientResult result = ReadConfirmation(id, refused);
  if (result.Succeeded()) return true;
  if (!refused) Disconnect(false);
  return Fail(result.message);
}

bool CNStandardStub::SendWithRetry() {
  if (!m_pClient) return Fail(u"Not connected.");
  ClientResult result = m_pClient->SendCommand(m_packet);
  if (!result.Succeeded() && IsRedundant() && !Resend(result)) return false;
  if (result.Succeeded()) return true;
  Disconnect(true);
  return Fail(result.message);
}

bool CNStandardStub::ReceiveWithRetry() {
  if (!m_pClient) return Fail(u"Not connected.");
  ClientResult result = m_pClient->Receive(m_answer);
  if (!result.Succeeded() && IsRedundant()) {
    if (!Resend(result)) return false;
    if (result.Succeeded()) result = m_pClient->Receive(m_answer);
  }
  if (result.Succeeded()) return true;
  Disconnect(true);
  return Fail(result.message);
}

bool CNStandardStub::Resend(ClientResult& result) {
  Disconnect(true);
  if (!Connect()) return false;
  result = m_pClient->SendCommand(m_packet);
  return true;
}

ClientResult CNStandardStub::ReadConfirmation(uint8_t id, bool& refused) {
  refused = false;
  const ClientResult checked = CheckAnswer(m_answer, id);
  if (!checked.Succeeded()) return checked;
  // confirmation := u32 ok, (ok ? ... : error text)
  uint32_t ok = 0;
  if (!m_answer.ReadU32(ok)) return ClientResult::Fail(u"Receive invalid packet.");
  if (ok != 0) return ClientResult::Ok();
  refused = true;
  std::u16string text;
  m_answer.ReadText(text);
  return ClientResult::Fail(u"Error from server. : " + text);
}

void CNStandardStub::SetTimeout(int seconds) {
  if (m_pClient) m_pClient->SetTimeout(seconds);
}

bool CNStandardStub::BuildRequest(std::u16string_view command, const ArgumentWriter& arguments) {
  if (!m_pClient) return Fail(u"Not connected.");
  uint8_t id = 0;
  const ClientResult result = BuildPacket(
      m_packet,
      [&](CNDAPacketCreatorSimple& creator) {
        return creator.BeginCommand(command) && (!arguments || arguments(creator));
      },
      id);
  return result.Succeeded() || Fail(result.message);
}

ClientResult CNStandardStub::BuildPacket(CNPacketHolder& packet, const ArgumentWriter& command, uint8_t& id) {
  packet.Reset();
  m_pClient->BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  const bool built = command(creator);
  m_pClient->EndPacket(packet);
  id = creator.GetPacketId();
  // A failed buffer is reported by the send with the size it asked for.
  if (!built && !packet.IsFailed()) return ClientResult::Fail(u"Packet size is too large.");
  return ClientResult::Ok();
}

bool CNStandardStub::Fail(std::u16string text) {
  m_strLastError = std::move(text);
  return false;
}
