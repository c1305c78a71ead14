#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <random>

#include "panel_server_sim/link_session.h"
#include "panel_server_sim/socket_io.h"

namespace panel_sim {

// What other connections may reach of one connection: the socket attached to it as its
// callback channel, and the link session its link client uses. Safe to use from any thread.
class ConnectionShared {
 public:
  explicit ConnectionShared(uint64_t id) : m_ullId(id) {}

  uint64_t GetId() const { return m_ullId; }
  void SetCallback(std::shared_ptr<PeerSocket> socket);
  std::shared_ptr<PeerSocket> GetCallback() const;
  // The connection's link session, made on first use.
  std::shared_ptr<LinkSession> GetSession();
  void SetSession(std::shared_ptr<LinkSession> session);

 private:
  const uint64_t m_ullId;
  mutable std::mutex m_lock;
  std::shared_ptr<PeerSocket> m_pCallback;
  std::shared_ptr<LinkSession> m_pSession;
};

// The live connections by connection identifier. Identifiers are random, never 0 and never
// given to two live connections. The registry does not keep connections alive.
class ConnectionRegistry {
 public:
  std::shared_ptr<ConnectionShared> Add();
  std::shared_ptr<ConnectionShared> Find(uint64_t id) const;
  void Remove(uint64_t id);

 private:
  mutable std::mutex m_lock;
  std::map<uint64_t, std::weak_ptr<ConnectionShared>> m_connections;
  std::mt19937_64 m_random{std::random_device{}()};
};

}  // namespace panel_sim
