#include "comm/packet_creator.h"

#include <bit>
#include <cstring>
#include <mutex>

#include "comm/value_codec.h"

uint8_t NextPacketId() {
  static std::mutex s_lock;
  static uint8_t s_ucPacketId = 0;
  std::lock_guard<std::mutex> guard(s_lock);
  return ++s_ucPacketId;
}

bool CNDAPacketCreator::BeginCommand(std::u16string_view name) {
  CNPacketHolder& packet = Packet();
  m_ulHeaderPosition = packet.GetPosition();
  m_ucPacketId = NextPacketId();
  m_ulArguments = 0;
  if (name.size() > UINT16_MAX / 2) return false;
  return packet.WriteU8(m_ucPacketId) && packet.WriteU16(0) &&
         packet.WriteU16(static_cast<uint16_t>(name.size() * 2)) && WriteText(name);
}

bool CNDAPacketCreator::Overwrite(uint32_t position, const void* data, uint32_t bytes) {
  CNPacketHolder& packet = Packet();
  if (position > packet.GetSize() || bytes > packet.GetSize() - position) return false;
  if (bytes > 0) std::memcpy(packet.GetData() + position, data, bytes);
  return true;
}

bool CNDAPacketCreator::Counted(bool written) {
  if (written) ++m_ulArguments;
  return written;
}

bool CNDAPacketCreator::WriteText(std::u16string_view text) {
  CNPacketHolder& packet = Packet();
  if (text.size() >= UINT32_MAX / 2) return false;
  if constexpr (std::endian::native == std::endian::little) {
    if (!packet.Write(text.data(), static_cast<uint32_t>(text.size() * 2))) return false;
  } else {
    for (char16_t c : text)
      if (!packet.WriteU16(c)) return false;
  }
  return packet.WriteU16(0);
}

bool CNDAPacketCreator::WriteCountedBytes(const void* data, uint32_t bytes) {
  return Packet().WriteU32(bytes) && Packet().Write(data, bytes);
}

bool CNDAPacketCreator::WriteCountedText(std::u16string_view text) {
  const uint64_t bytes = (uint64_t{text.size()} + 1) * 2;
  return bytes <= UINT32_MAX && Packet().WriteU32(static_cast<uint32_t>(bytes)) && WriteText(text);
}

bool CNDAPacketCreator::AddText8(std::string_view text) {
  const uint64_t bytes = uint64_t{text.size()} + 1;
  return Counted(bytes <= UINT32_MAX && Packet().WriteU32(static_cast<uint32_t>(bytes)) &&
                 Packet().Write(text.data(), static_cast<uint32_t>(text.size())) && Packet().WriteU8(0));
}

bool CNDAPacketCreator::AddValue(const CNValue& value) {
  // The length goes in front of an encoding whose size is known only once it is written.
  CNPacketHolder& packet = Packet();
  const uint32_t lengthAt = packet.GetPosition();
  if (!packet.WriteU32(0) || !EncodeValue(packet, value)) return Counted(false);
  const uint32_t length = packet.GetPosition() - lengthAt - 4;
  uint8_t wire[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                     static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
  return Counted(Overwrite(lengthAt, wire, sizeof(wire)));
}

bool CNDAPacketCreator::AddBytes(const void* data, uint32_t bytes) {
  return Counted(WriteCountedBytes(data, bytes));
}
bool CNDAPacketCreator::AddText(std::u16string_view text) {
  return Counted(WriteCountedText(text));
}
bool CNDAPacketCreator::AddInt64(uint64_t v) {
  return Counted(Packet().WriteU32(8) && Packet().WriteU64(v));
}
bool CNDAPacketCreator::AddInt32(uint32_t v) {
  return Counted(Packet().WriteU32(4) && Packet().WriteU32(v));
}

bool CNDAPacketCreator::AddBytesChecked(const void* data, uint32_t bytes) {
  return Counted(WriteCountedBytes(data, bytes));
}

bool CNDAPacketCreator::AddTextChecked(std::u16string_view text) {
  return Counted(WriteCountedText(text));
}

bool CNDAPacketCreatorSimple::AddValue(const CNValue& value) {
  return Counted(EncodeValue(Packet(), value));
}
bool CNDAPacketCreatorSimple::AddBytes(const void* data, uint32_t bytes) {
  return Counted(Packet().Write(data, bytes));
}
bool CNDAPacketCreatorSimple::AddText(std::u16string_view text) {
  return Counted(WriteText(text));
}
bool CNDAPacketCreatorSimple::AddInt64(uint64_t v) {
  return Counted(Packet().WriteU64(v));
}
bool CNDAPacketCreatorSimple::AddInt32(uint32_t v) {
  return Counted(Packet().WriteU32(v));
}
