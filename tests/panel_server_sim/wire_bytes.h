#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Request bytes built by hand, independently of the protocol code under test.
class WireBytes {
 public:
  WireBytes& U8(uint8_t v) {
    m_bytes.push_back(v);
    return *this;
  }
  WireBytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  WireBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(static_cast<uint16_t>(v >> 16)); }
  WireBytes& U64(uint64_t v) { return U32(static_cast<uint32_t>(v)).U32(static_cast<uint32_t>(v >> 32)); }
  WireBytes& Double(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return U64(bits);
  }
  WireBytes& Raw(std::string_view text) {
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    return *this;
  }
  // UTF-16 text with its NUL.
  WireBytes& Text(std::u16string_view text) {
    for (const char16_t c : text) U16(c);
    return U16(0);
  }
  // The plain argument forms: a u32 byte count first.
  WireBytes& ArgText(std::u16string_view text) { return U32(static_cast<uint32_t>(text.size() * 2 + 2)).Text(text); }
  WireBytes& ArgU32(uint32_t v) { return U32(4).U32(v); }
  WireBytes& Arg(const WireBytes& inner) { return U32(static_cast<uint32_t>(inner.Get().size())).Bytes(inner.Get()); }
  WireBytes& Bytes(const std::vector<uint8_t>& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
  }

  // A command header: id, status 0, name length, name and NUL.
  static WireBytes Command(uint8_t id, std::u16string_view name) {
    WireBytes bytes;
    bytes.U8(id).U16(0).U16(static_cast<uint16_t>(name.size() * 2)).Text(name);
    return bytes;
  }

  // The whole frame around these bytes as payload.
  std::vector<uint8_t> Frame(uint8_t channel = 'N') const {
    WireBytes frame;
    frame.Raw("@KV\n").U8(channel).U32(static_cast<uint32_t>(m_bytes.size() + 6)).Bytes(m_bytes).Raw("*KV*");
    const uint16_t crc = Crc(m_bytes);
    frame.U8(crc >> 8).U8(crc & 0xFF);
    return frame.m_bytes;
  }

  const std::vector<uint8_t>& Get() const { return m_bytes; }

  // CRC-16/MODBUS, bit by bit.
  static uint16_t Crc(const std::vector<uint8_t>& data) {
    uint16_t crc = 0xFFFF;
    for (const uint8_t byte : data) {
      crc ^= byte;
      for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
  }

 private:
  std::vector<uint8_t> m_bytes;
};

inline std::vector<uint8_t> HandshakeFrame(uint8_t kind, uint32_t processId, uint32_t clientId, uint32_t flag,
                                           uint64_t id) {
  WireBytes payload;
  payload.Raw(std::string_view("CLIENTINFO\0", 11)).U8(kind).U32(processId).U32(clientId).U32(flag).U64(id);
  return payload.Frame();
}
