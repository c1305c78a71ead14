#include "panel_server_sim/panel_server.h"

#include <fstream>
#include <sstream>

namespace panel_sim {

namespace {

constexpr std::streamsize kMaxFileBytes = 16 << 20;

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = path + ": cannot be read";
    return false;
  }
  text.resize(kMaxFileBytes + 1);
  file.read(text.data(), kMaxFileBytes + 1);
  text.resize(static_cast<size_t>(file.gcount()));
  if (file.gcount() > kMaxFileBytes) {
    error = path + ": too large";
    return false;
  }
  return true;
}

}  // namespace

bool LoadTags(const std::string& path, std::vector<TagDefinition>& tags, std::string& error) {
  if (path.empty()) return ParseTagFile(DemoTagText(), tags, error);
  std::string text;
  if (!ReadTextFile(path, text, error)) return false;
  if (ParseTagFile(text, tags, error)) return true;
  error = path + ": " + error;
  return false;
}

bool LoadUsers(const std::string& path, UserTable& users, std::string& error) {
  if (path.empty()) return true;
  std::string text;
  if (!ReadTextFile(path, text, error)) return false;
  if (users.Load(text, error)) return true;
  error = path + ": " + error;
  return false;
}

PanelServer::~PanelServer() { Stop(); }

bool PanelServer::Start(const ServerOptions& options, std::string& error) {
  m_options = options;
  std::vector<TagDefinition> tags;
  if (!LoadTags(options.tagsFile, tags, error) || !LoadUsers(options.usersFile, m_users, error)) return false;
  m_pTags = std::make_unique<TagTable>(std::move(tags));
  m_pAlarms = std::make_unique<AlarmService>(*m_pTags);
  m_pTags->SetListener(m_pAlarms.get());
  m_pContext = std::make_unique<ServerContext>(
      ServerContext{*m_pTags, m_users, *m_pAlarms, m_store, m_connections, m_options.faults});
  m_started = std::chrono::steady_clock::now();
  m_ullNextFlapMs = m_options.faults.qualityFlapMs;
  m_pListener = std::make_unique<TcpListener>(*m_pContext);
  if (!m_pListener->Start(options.port, error)) {
    Stop();
    return false;
  }
  if (options.httpPort) {
    m_pGateway = std::make_unique<HttpGateway>(m_pListener->GetPort());
    if (!m_pGateway->Start(*options.httpPort, error)) {
      Stop();
      return false;
    }
  }
  if (!m_generatorThread.Start()) {
    error = "cannot start the generator thread";
    Stop();
    return false;
  }
  return true;
}

std::optional<uint16_t> PanelServer::GetHttpPort() const {
  if (!m_pGateway) return std::nullopt;
  return m_pGateway->GetPort();
}

void PanelServer::Stop() {
  if (m_pAlarms) m_pAlarms->Shutdown();
  if (m_pGateway) m_pGateway->Stop();
  m_generatorThread.Stop(true);
  if (m_pListener) m_pListener->Stop();
}

bool PanelServer::OnThreadTick(CRThread&) {
  const uint64_t nowMs = static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_started).count());
  m_pTags->Advance(nowMs);
  const FaultSettings& faults = m_options.faults;
  if (faults.qualityFlap && faults.qualityFlapMs > 0 && nowMs >= m_ullNextFlapMs) {
    m_ullNextFlapMs = nowMs + faults.qualityFlapMs;
    m_pTags->SetQuality(m_pTags->GetQuality() == VQ_GOOD ? VQ_BAD : VQ_GOOD);
  }
  return true;
}

}  // namespace panel_sim
