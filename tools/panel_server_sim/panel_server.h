#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panel_server_sim/alarm_service.h"
#include "panel_server_sim/command_context.h"
#include "panel_server_sim/connection_registry.h"
#include "panel_server_sim/http_gateway.h"
#include "panel_server_sim/options.h"
#include "panel_server_sim/service_store.h"
#include "panel_server_sim/tag_table.h"
#include "panel_server_sim/tcp_listener.h"
#include "panel_server_sim/user_table.h"
#include "support/thread.h"

namespace panel_sim {

// Reads the tag file named by path, or the demo tags when path is empty. False with error
// "PATH: line N: ..." (or why the file cannot be read).
bool LoadTags(const std::string& path, std::vector<TagDefinition>& tags, std::string& error);
// Reads the users file named by path into users; an empty path keeps the default users.
bool LoadUsers(const std::string& path, UserTable& users, std::string& error);

// The whole server: the tag table with its generators, the users, the alarm and service state,
// the TCP listener and, when asked for, the SOAP/HTTP gateway.
class PanelServer : public CRThreadConnectionPoint {
 public:
  // How often the generators (and the quality-flap fault) are run.
  static constexpr uint32_t kGeneratorPeriodMs = 50;

  PanelServer() = default;
  ~PanelServer() override;
  PanelServer(const PanelServer&) = delete;
  PanelServer& operator=(const PanelServer&) = delete;

  // Loads the files, binds the ports and starts every thread. False with error set; whatever
  // was started is stopped again.
  bool Start(const ServerOptions& options, std::string& error);
  uint16_t GetPort() const { return m_pListener ? m_pListener->GetPort() : 0; }
  std::optional<uint16_t> GetHttpPort() const;
  // Tells alarm subscribers that the server shuts down, then stops and joins every thread.
  void Stop();

 private:
  bool OnThreadTick(CRThread& thread) override;

  ServerOptions m_options;
  UserTable m_users;
  ServiceStore m_store;
  ConnectionRegistry m_connections;
  std::unique_ptr<TagTable> m_pTags;
  std::unique_ptr<AlarmService> m_pAlarms;
  std::unique_ptr<ServerContext> m_pContext;
  std::unique_ptr<TcpListener> m_pListener;
  std::unique_ptr<HttpGateway> m_pGateway;
  std::chrono::steady_clock::time_point m_started;
  uint64_t m_ullNextFlapMs = 0;
  CRThreadStandard m_generatorThread{*this, kGeneratorPeriodMs};
};

}  // namespace panel_sim
