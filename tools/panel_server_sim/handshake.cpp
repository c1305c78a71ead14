#include "panel_server_sim/handshake.h"

#include <cstring>

namespace panel_sim {

namespace {

constexpr char kClientInfo[] = "CLIENTINFO";  // travels with its NUL

}  // namespace

bool ReadHandshake(CNPacketHolder& packet, Handshake& handshake) {
  char marker[sizeof kClientInfo] = {};
  return packet.Read(marker, sizeof marker) && std::memcmp(marker, kClientInfo, sizeof marker) == 0 &&
         packet.ReadU8(handshake.clientKind) && packet.ReadU32(handshake.processId) &&
         packet.ReadU32(handshake.clientId) && packet.ReadU32(handshake.flag) && packet.ReadU64(handshake.connectionId);
}

bool WriteHandshake(CNPacketHolder& packet, const Handshake& handshake) {
  return packet.Write(kClientInfo, sizeof kClientInfo) && packet.WriteU8(handshake.clientKind) &&
         packet.WriteU32(handshake.processId) && packet.WriteU32(handshake.clientId) &&
         packet.WriteU32(handshake.flag) && packet.WriteU64(handshake.connectionId);
}

}  // namespace panel_sim
