#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "comm/frame.h"

// Frame bytes built here without the code under test: its own bit-by-bit CRC, its own layout.
using Bytes = std::vector<uint8_t>;

// CRC-16/MODBUS bit by bit, straight from the definition: reflected 0xA001, initial 0xFFFF, no
// final XOR.
inline uint16_t ReferenceCrc(const uint8_t* data, size_t size) {
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

// Little-endian fields appended one after the other.
class WireBytes {
 public:
  WireBytes() = default;
  explicit WireBytes(Bytes bytes) : m_bytes(std::move(bytes)) {}

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
  WireBytes& Raw(std::string_view text) { return Append(Bytes(text.begin(), text.end())); }
  WireBytes& Append(const Bytes& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
  }
  // UTF-16 text with its NUL.
  WireBytes& Text(std::u16string_view text) {
    for (const char16_t c : text) U16(c);
    return U16(0);
  }
  // The plain argument forms: a u32 byte count first.
  WireBytes& ArgText(std::u16string_view text) {
    return U32(static_cast<uint32_t>(text.size() * 2 + 2)).Text(text);
  }
  WireBytes& ArgU32(uint32_t v) { return U32(4).U32(v); }
  WireBytes& Arg(const WireBytes& inner) {
    return U32(static_cast<uint32_t>(inner.Get().size())).Append(inner.Get());
  }

  // A command header: id, u16 status, u16 name length, name and NUL.
  static WireBytes Command(uint8_t id, std::u16string_view name, uint16_t status = 0) {
    return std::move(WireBytes().U8(id).U16(status).U16(static_cast<uint16_t>(name.size() * 2)).Text(name));
  }

  // The whole frame around these bytes as payload.
  Bytes Frame(uint8_t channel = 'N') const {
    WireBytes frame;
    frame.Raw("@KV\n").U8(channel).U32(static_cast<uint32_t>(m_bytes.size() + 6)).Append(m_bytes).Raw("*KV*");
    const uint16_t crc = ReferenceCrc(m_bytes.data(), m_bytes.size());
    return frame.U8(crc >> 8).U8(crc & 0xFF).m_bytes;
  }

  const Bytes& Get() const { return m_bytes; }

 private:
  Bytes m_bytes;
};

inline Bytes FrameOf(uint8_t channel, const Bytes& payload) {
  return WireBytes(payload).Frame(channel);
}

// A command payload: id, u16 status, u16 name length, name and NUL, then the arguments.
inline Bytes CommandPayload(uint8_t id, uint16_t status, std::u16string_view name,
                            const Bytes& arguments = {}) {
  return WireBytes::Command(id, name, status).Append(arguments).Get();
}

// The payload a client opens a connection with: kind, process and client ids, the channel flag
// (0 alone, 1 command, 2 callback) and the connection identifier a callback channel joins.
inline WireBytes HandshakePayload(uint8_t kind, uint32_t processId, uint32_t clientId, uint32_t flag,
                                  uint64_t id) {
  return std::move(WireBytes()
                       .Raw(std::string_view("CLIENTINFO\0", 11))
                       .U8(kind)
                       .U32(processId)
                       .U32(clientId)
                       .U32(flag)
                       .U64(id));
}

inline Bytes HandshakeFrame(uint8_t kind, uint32_t processId, uint32_t clientId, uint32_t flag, uint64_t id) {
  return HandshakePayload(kind, processId, clientId, flag, id).Frame();
}

// The bytes a packet holds, from the given offset to its end.
inline Bytes PacketBytes(const CNPacketHolder& packet, uint32_t from = 0) {
  return Bytes(packet.GetData() + from, packet.GetData() + packet.GetSize());
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A packet buffer whose allocations above 64 bytes fail; it grows by doubling.
class FailingBuffer : public CRBuffer {
 public:
  FailingBuffer() : CRBuffer(kBufferGrowDouble) {}

 protected:
  uint8_t* Reallocate(uint8_t* block, size_t keepBytes, size_t newSize) override {
    return newSize > 64 ? nullptr : CRBuffer::Reallocate(block, keepBytes, newSize);
  }
};

// Hands out a byte string, then fails with code 0 as a closed connection does.
class BytesSource : public CNByteSource {
 public:
  explicit BytesSource(Bytes bytes) : m_bytes(std::move(bytes)) {}

  bool ReadExact(uint8_t* out, size_t bytes, int& errorCode) override {
    if (bytes > m_bytes.size() - m_position) {
      m_position = m_bytes.size();
      errorCode = 0;
      return false;
    }
    if (bytes > 0) std::memcpy(out, m_bytes.data() + m_position, bytes);
    m_position += bytes;
    return true;
  }
  size_t Consumed() const { return m_position; }

 private:
  Bytes m_bytes;
  size_t m_position = 0;
};

// Garbage of every length from 1 to 8 bytes that ends in a false start of the mark ("@", "@K",
// "@KV"), the rest made of more false starts: put before a frame, the frame's own "@" falls
// inside the three bytes after a false "@".
inline std::vector<Bytes> StrayMarkGarbage() {
  static const std::string kFiller = "@KVx@KVx";
  std::vector<Bytes> all;
  for (const std::string tail : {"@", "@K", "@KV"})
    for (size_t length = tail.size(); length <= 8; ++length) {
      const std::string garbage = kFiller.substr(0, length - tail.size()) + tail;
      all.emplace_back(garbage.begin(), garbage.end());
    }
  return all;
}
