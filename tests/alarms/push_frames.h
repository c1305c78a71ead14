#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "comm/packet_holder.h"

// Pushed payloads written byte by byte, so that the decoder and the server's frame writer cannot
// share a mistake: a command header, then arguments each with its u32 length.
class PushBytes {
 public:
  explicit PushBytes(std::u16string_view name, uint16_t status = 0) {
    m_bytes.push_back(0x11);
    U16(status);
    U16(static_cast<uint16_t>(name.size() * 2));
    Text(name);
  }
  PushBytes& ArgU32(uint32_t v) {
    U32(4);
    U32(v);
    return *this;
  }
  PushBytes& ArgU64(uint64_t v) {
    U32(8);
    U32(static_cast<uint32_t>(v));
    U32(static_cast<uint32_t>(v >> 32));
    return *this;
  }
  PushBytes& ArgText(std::u16string_view text) {
    U32(static_cast<uint32_t>(text.size() * 2 + 2));
    Text(text);
    return *this;
  }
  PushBytes& Raw(std::initializer_list<uint8_t> bytes) {
    m_bytes.insert(m_bytes.end(), bytes);
    return *this;
  }
  PushBytes& Truncate(size_t bytes) {
    m_bytes.resize(m_bytes.size() - bytes);
    return *this;
  }
  CNPacketHolder Packet() const {
    CNPacketHolder packet;
    packet.Write(m_bytes.data(), static_cast<uint32_t>(m_bytes.size()));
    packet.Seek(0, CNPacketHolder::kSeekBegin);
    return packet;
  }

 private:
  void U16(uint16_t v) { m_bytes.insert(m_bytes.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)}); }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void Text(std::u16string_view text) {
    for (const char16_t c : text) U16(c);
    U16(0);
  }
  std::vector<uint8_t> m_bytes;
};

// An "AlarmNotification" with the given type code and comments.
inline PushBytes NotificationBytes(uint32_t type, std::u16string_view id, std::initializer_list<std::u16string_view> comments,
                                   uint64_t time = 0x01D0000012345678ull) {
  PushBytes bytes(u"AlarmNotification");
  bytes.ArgU32(type).ArgU64(time).ArgText(id).ArgU32(1).ArgU32(type == 2).ArgU32(static_cast<uint32_t>(comments.size()));
  for (const std::u16string_view comment : comments) bytes.ArgText(comment);
  bytes.ArgU32(0);
  return bytes;
}
