#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "comm/frame.h"

// Frame bytes built here without the code under test: its own bit-by-bit CRC, its own layout.
using Bytes = std::vector<uint8_t>;

inline uint16_t ReferenceCrc(const uint8_t* data, size_t size) {
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

inline void AppendU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void AppendU64(Bytes& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void AppendText(Bytes& out, std::u16string_view text) {
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline Bytes FrameOf(uint8_t channel, const Bytes& payload) {
  Bytes frame = {'@', 'K', 'V', '\n', channel};
  AppendU32(frame, static_cast<uint32_t>(payload.size() + 6));
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.insert(frame.end(), {'*', 'K', 'V', '*'});
  const uint16_t crc = ReferenceCrc(payload.data(), payload.size());
  frame.push_back(static_cast<uint8_t>(crc >> 8));
  frame.push_back(static_cast<uint8_t>(crc));
  return frame;
}

// A command payload: id, u16 status, u16 name length, name and NUL, then the arguments.
inline Bytes CommandPayload(uint8_t id, uint16_t status, std::u16string_view name,
                            const Bytes& arguments = {}) {
  Bytes payload = {id, static_cast<uint8_t>(status), static_cast<uint8_t>(status >> 8),
                   static_cast<uint8_t>(name.size() * 2), static_cast<uint8_t>(name.size() * 2 >> 8)};
  AppendText(payload, name);
  payload.insert(payload.end(), arguments.begin(), arguments.end());
  return payload;
}

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
