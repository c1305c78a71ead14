#include "comm/login_stub.h"

#include <unistd.h>

#include "comm/frame.h"

CNLoginStub::CNLoginStub(ConnectionPoint* listener, uint32_t keepAlivePeriodMs)
    : m_pListener(listener), m_keepAlive(*this, keepAlivePeriodMs) {
  m_keepAlive.Start();
}

CNLoginStub::~CNLoginStub() {
  // The tick uses the client: the thread goes first.
  m_keepAlive.Stop(true);
  if (m_pClient) m_pClient->Disconnect();
}

bool CNLoginStub::Login(uint32_t ownerId, CNConnectionSettings& settings, std::u16string_view user,
                        std::u16string_view password, bool keepWanted, uint32_t& level, bool tryNextNode) {
  return LoginAs(ownerId, settings, user, password, nullptr, keepWanted, level, tryNextNode);
}

bool CNLoginStub::LoginProject(uint32_t ownerId, CNConnectionSettings& settings, std::u16string_view user,
                               std::u16string_view password, std::u16string_view project, bool keepWanted,
                               uint32_t& level, bool tryNextNode) {
  return LoginAs(ownerId, settings, user, password, &project, keepWanted, level, tryNextNode);
}

bool CNLoginStub::LoginAs(uint32_t ownerId, CNConnectionSettings& settings, std::u16string_view user,
                          std::u16string_view password, const std::u16string_view* project, bool keepWanted,
                          uint32_t& level, bool tryNextNode) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  if (!m_pClient) {
    m_pClient = settings.CreateClient();
    m_pClient->SetSink(this);
  }
  // The same login again goes no further than the stub.
  const CNServerNode node = settings.GetCurrentNodeEntry();
  if (m_bWanted && node.host == m_strHost && node.port == m_ulPort && user == m_strUser &&
      password == m_strPassword && (!project || *project == m_strProject)) {
    if (m_bLoggedIn) level = m_ulLevel;
    return m_bLoggedIn;
  }
  if (m_bWanted) Logout();

  m_ulOwnerId = ownerId;
  m_pSettings = CRPtr<CNConnectionSettings>::Retain(&settings);
  m_strUser = user;
  m_strPassword = password;
  if (project) m_strProject = *project;
  if (!LoginTransaction(tryNextNode)) {
    m_bWanted = keepWanted;
    return false;
  }
  m_bWanted = true;
  level = m_ulLevel;
  return true;
}

bool CNLoginStub::LoginTransaction(bool tryNextNode) {
  if (m_bLoggedIn) return true;
  ClientResult result = ConnectClient();
  if (!result.Succeeded() && tryNextNode && m_pSettings->IsRedundant()) {
    m_pSettings->AdvanceNode();
    result = ConnectClient();
  }
  if (!result.Succeeded()) {
    m_strLastError = u"Fail to login. Can't find panel server.";
    DropConnection();
    return false;
  }

  CNServiceAnswer answer;
  result = Transact(
      u"Login",
      [this](CNDAPacketCreator& args) {
        return args.AddText(m_strUser) && args.AddText(m_strPassword) && args.AddText(m_strProject);
      },
      answer);
  // login answer := ok, (ok ? level : error text)
  uint32_t ok = 0;
  uint32_t level = 0;
  if (result.Succeeded() && (!answer.GetU32(0, ok) || (ok != 0 && !answer.GetU32(1, level))))
    result = ClientResult::Fail(CS_INVALID_PACKET);
  if (!result.Succeeded()) {
    m_strLastError = u"Fail to login. Commnication Err. " + result.message;
    DropConnection();
    return false;
  }
  if (ok == 0) {
    m_strLastError.clear();
    answer.GetText(1, m_strLastError);
    DropConnection();
    return false;
  }
  m_ulLevel = level;
  ChangeState(kLoggedIn);
  return true;
}

ClientResult CNLoginStub::ConnectClient() {
  const CNServerNode node = m_pSettings->GetCurrentNodeEntry();
  m_strHost = node.host;
  m_ulPort = node.port;
  return m_pClient->Connect(m_pSettings->GetConnectionString(), kClientKind, static_cast<uint32_t>(getpid()),
                            m_ulOwnerId, false);
}

void CNLoginStub::DropConnection() {
  m_pClient->Disconnect();
  if (m_ulState != kLoggedOut) ChangeState(m_bWanted ? kLoginLost : kLoggedOut);
  m_pSettings->AdvanceNode();
}

void CNLoginStub::ChangeState(uint32_t state) {
  if (state != m_ulState) {
    std::lock_guard<std::mutex> guard(m_queueLock);
    m_events.push_back({state, m_ulLevel});
  }
  m_ulState = state;
  m_bLoggedIn = state == kLoggedIn;
}

ClientResult CNLoginStub::Transact(std::u16string_view command, const ArgumentWriter& arguments,
                                   CNServiceAnswer& answer) {
  answer.Clear();
  m_packet.Reset();
  m_pClient->BeginPacket(m_packet);
  CNDAPacketCreator creator(m_packet);
  const bool built = creator.BeginCommand(command) && (!arguments || arguments(creator));
  m_pClient->EndPacket(m_packet);
  // A failed buffer is reported by the send with the size it asked for.
  if (!built && !m_packet.IsFailed()) return ClientResult::Fail(CS_FRAME_TOO_LARGE);
  ClientResult result = m_pClient->SendCommand(m_packet);
  if (result.Succeeded()) result = m_pClient->Receive(m_packet);
  if (result.Succeeded()) result = CheckAnswer(m_packet, creator.GetPacketId());
  if (result.Succeeded() && !answer.Read(m_packet)) result = ClientResult::Fail(CS_INVALID_PACKET);
  return result;
}

bool CNLoginStub::Logout() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  if (m_bWanted) {
    m_bWanted = false;
    m_pClient->Disconnect();
    ChangeState(kLoggedOut);
  }
  return true;
}

bool CNLoginStub::IsLogin() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  return m_bLoggedIn;
}

std::u16string CNLoginStub::GetLoginIPAddress() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  return m_pClient ? m_pClient->GetAddress() : std::u16string();
}

std::u16string CNLoginStub::GetLoginLastError() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  return m_strLastError;
}

uint32_t CNLoginStub::GetConnectionState() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  if (!m_bWanted) return kNotWanted;
  if (!m_pClient->IsConnected()) return kNotConnected;
  return m_bLoggedIn ? kConnectedLoggedIn : kConnectedNotLoggedIn;
}

void CNLoginStub::DeliverEvents() {
  std::vector<LoginEvent> events;
  {
    std::lock_guard<std::mutex> guard(m_queueLock);
    events.swap(m_events);
  }
  if (!m_pListener) return;
  for (const LoginEvent& event : events) m_pListener->OnLoginChanged(event.state, event.level);
}

bool CNLoginStub::OnThreadTick(CRThread&) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  if (!m_bWanted || !LoginTransaction(false)) return true;
  CNServiceAnswer answer;
  ClientResult result = Transact(u"KeepAlive", {}, answer);
  uint32_t ok = 0;
  if (result.Succeeded() && !answer.GetU32(0, ok)) result = ClientResult::Fail(CS_INVALID_PACKET);
  if (result.Succeeded() && ok == 0) {
    std::u16string refusal;
    answer.GetText(1, refusal);
    result = ClientResult::Fail(std::move(refusal));
  }
  if (!result.Succeeded()) {
    m_strLastError = result.message;
    DropConnection();
  }
  return true;
}
