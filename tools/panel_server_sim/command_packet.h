#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "comm/packet_holder.h"

namespace panel_sim {

// Answer status codes of the command header. 0 is success; the others carry no arguments.
inline constexpr uint16_t kStatusOk = 0;
inline constexpr uint16_t kStatusUnknownCommand = 1;
inline constexpr uint16_t kStatusBadArguments = 2;
// Never sent: the handler asks for the command to go unanswered (a stalling service).
inline constexpr uint16_t kStatusNoAnswer = 0xFFFF;

// The longest command name accepted, in bytes.
inline constexpr uint16_t kMaxCommandNameBytes = 256;

// Reads a command header at the packet's position (packet id, u16 status, u16 byte length of
// the name, the UTF-16 name and its NUL) and leaves the position on the first argument. False
// for a short, odd or unterminated header.
bool ReadCommandHeader(CNPacketHolder& packet, uint8_t& id, std::u16string& name);

// Writes a command header at the packet's position.
bool WriteCommandHeader(CNPacketHolder& packet, uint8_t id, uint16_t status, std::u16string_view name);

// Empties the packet and reserves the frame header in front of the payload to come.
void BeginFrame(CNPacketHolder& packet);
// Reserves the trailer and completes the frame for channel (header, "*KV*", CRC).
bool FinishFrame(CNPacketHolder& packet, uint8_t channel);

// The bytes of a completed frame: header, payload, trailer.
std::vector<uint8_t> FrameBytes(const CNPacketHolder& packet);

}  // namespace panel_sim
