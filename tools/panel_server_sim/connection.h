#pragma once

#include <cstdint>
#include <memory>

#include "comm/packet_holder.h"
#include "panel_server_sim/command_context.h"
#include "panel_server_sim/socket_io.h"
#include "support/thread.h"

namespace panel_sim {

// The largest frame a client may send; longer ones are refused before anything is allocated.
inline constexpr uint32_t kServerMaxFrameLength = 4u << 20;

// One accepted TCP connection, served on a thread of its own: first the "CLIENTINFO"
// handshake, then either command frames answered one at a time, or, for a socket that attached
// itself as another connection's callback channel (flag 2), nothing but waiting for its end.
class Connection : public CRThreadConnectionPoint {
 public:
  Connection(ServerContext& server, UniqueFd socket);
  ~Connection() override;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool Start() { return m_thread.Start(*this); }
  // Wakes the thread from any wait; it ends soon after.
  void RequestStop();
  bool IsFinished() const { return !m_thread.IsRunning(); }

 private:
  enum class Role { kHandshake, kCommand, kCallback };

  bool OnThreadTick(CRThread& thread) override;
  void OnThreadEnd(CRThread& thread) override;
  bool ServeHandshake();
  bool SendHandshakeAnswer(bool ok, const uint64_t* id);
  bool ServeCommand();
  bool WaitForCallbackEnd();

  ServerContext& m_server;
  std::shared_ptr<PeerSocket> m_pSocket;
  SocketByteSource m_source;
  Role m_role = Role::kHandshake;
  ConnectionState m_state;
  CNPacketHolder m_request;
  CNPacketHolder m_answer;
  uint32_t m_ulAnswers = 0;
  CRThread m_thread;
};

}  // namespace panel_sim
