#include "panel_server_sim/command_packet.h"

#include "comm/frame.h"

namespace panel_sim {

bool ReadCommandHeader(CNPacketHolder& packet, uint8_t& id, std::u16string& name) {
  uint16_t status = 0;
  uint16_t nameBytes = 0;
  if (!packet.ReadU8(id) || !packet.ReadU16(status) || !packet.ReadU16(nameBytes)) return false;
  if (nameBytes % 2 != 0 || nameBytes > kMaxCommandNameBytes || packet.GetRemaining() < nameBytes + 2u) return false;
  name.resize(nameBytes / 2);
  for (char16_t& c : name) {
    uint16_t unit = 0;
    packet.ReadU16(unit);
    c = static_cast<char16_t>(unit);
  }
  uint16_t terminator = 1;
  return packet.ReadU16(terminator) && terminator == 0;
}

bool WriteCommandHeader(CNPacketHolder& packet, uint8_t id, uint16_t status, std::u16string_view name) {
  bool ok = packet.WriteU8(id) && packet.WriteU16(status) && packet.WriteU16(static_cast<uint16_t>(name.size() * 2));
  for (const char16_t c : name) ok = ok && packet.WriteU16(c);
  return ok && packet.WriteU16(0);
}

void BeginFrame(CNPacketHolder& packet) {
  static constexpr uint8_t kZeros[kFrameHeaderSize] = {};
  packet.Reset();
  packet.Write(kZeros, kFrameHeaderSize);
}

bool FinishFrame(CNPacketHolder& packet, uint8_t channel) {
  static constexpr uint8_t kZeros[kFrameTrailerSize] = {};
  packet.Seek(0, CNPacketHolder::kSeekEnd);
  return packet.Write(kZeros, kFrameTrailerSize) && CompleteFrame(packet, channel).Succeeded();
}

std::vector<uint8_t> FrameBytes(const CNPacketHolder& packet) {
  const uint8_t* data = packet.GetData();
  return data ? std::vector<uint8_t>(data, data + packet.GetSize()) : std::vector<uint8_t>();
}

}  // namespace panel_sim
