#pragma once

#include <cstdint>

#include "comm/packet_holder.h"

namespace panel_sim {

// Channel flags of the connection handshake.
inline constexpr uint32_t kHandshakeNoCallback = 0;    // no callback channel will follow
inline constexpr uint32_t kHandshakeWithCallback = 1;  // one will follow: answer the identifier
inline constexpr uint32_t kHandshakeIsCallback = 2;    // this socket is the callback channel

// handshake := "CLIENTINFO" NUL, u8 client kind, u32 process id, u32 client id, u32 channel
//              flag, u64 connection identifier
struct Handshake {
  uint8_t clientKind = 0;
  uint32_t processId = 0;
  uint32_t clientId = 0;
  uint32_t flag = kHandshakeNoCallback;
  uint64_t connectionId = 0;
};

// Reads a handshake payload at the packet's position; false when it is not one.
bool ReadHandshake(CNPacketHolder& packet, Handshake& handshake);
bool WriteHandshake(CNPacketHolder& packet, const Handshake& handshake);

}  // namespace panel_sim
