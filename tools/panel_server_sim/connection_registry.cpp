#include "panel_server_sim/connection_registry.h"

namespace panel_sim {

void ConnectionShared::SetCallback(std::shared_ptr<PeerSocket> socket) {
  std::lock_guard<std::mutex> guard(m_lock);
  if (m_pCallback) m_pCallback->Shutdown();
  m_pCallback = std::move(socket);
}

std::shared_ptr<PeerSocket> ConnectionShared::GetCallback() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_pCallback;
}

std::shared_ptr<LinkSession> ConnectionShared::GetSession() {
  std::lock_guard<std::mutex> guard(m_lock);
  if (!m_pSession) m_pSession = std::make_shared<LinkSession>();
  return m_pSession;
}

void ConnectionShared::SetSession(std::shared_ptr<LinkSession> session) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_pSession = std::move(session);
}

std::shared_ptr<ConnectionShared> ConnectionRegistry::Add() {
  std::lock_guard<std::mutex> guard(m_lock);
  uint64_t id = 0;
  while (id == 0 || m_connections.contains(id)) id = m_random();
  auto connection = std::make_shared<ConnectionShared>(id);
  m_connections[id] = connection;
  return connection;
}

std::shared_ptr<ConnectionShared> ConnectionRegistry::Find(uint64_t id) const {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_connections.find(id);
  return found == m_connections.end() ? nullptr : found->second.lock();
}

void ConnectionRegistry::Remove(uint64_t id) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_connections.erase(id);
}

}  // namespace panel_sim
