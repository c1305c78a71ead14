#include "comm/service_answer.h"

#include "comm/value_codec.h"

namespace {

uint64_t LittleEndian(std::span<const uint8_t> bytes) {
  uint64_t v = 0;
  for (size_t i = bytes.size(); i-- > 0;) v = v << 8 | bytes[i];
  return v;
}

}  // namespace

bool CNServiceAnswer::Read(CNPacketHolder& packet) {
  m_arguments.clear();
  while (!packet.IsEnd()) {
    uint32_t bytes = 0;
    if (!packet.ReadU32(bytes) || bytes > packet.GetRemaining()) {
      m_arguments.clear();
      return false;
    }
    const uint8_t* start = packet.GetData() + packet.GetPosition();
    m_arguments.emplace_back(start, start + bytes);
    packet.Seek(bytes, CNPacketHolder::kSeekCurrent);
  }
  return true;
}

std::span<const uint8_t> CNServiceAnswer::GetBytes(uint32_t i) const {
  if (i >= m_arguments.size()) return {};
  return m_arguments[i];
}

bool CNServiceAnswer::GetU32(uint32_t i, uint32_t& out) const {
  const std::span<const uint8_t> bytes = GetBytes(i);
  if (bytes.size() != 4) return false;
  out = static_cast<uint32_t>(LittleEndian(bytes));
  return true;
}

bool CNServiceAnswer::GetU64(uint32_t i, uint64_t& out) const {
  const std::span<const uint8_t> bytes = GetBytes(i);
  if (bytes.size() != 8) return false;
  out = LittleEndian(bytes);
  return true;
}

bool CNServiceAnswer::GetText(uint32_t i, std::u16string& out) const {
  const std::span<const uint8_t> bytes = GetBytes(i);
  if (i >= m_arguments.size() || bytes.size() % 2 != 0) return false;
  std::u16string text;
  for (size_t at = 0; at < bytes.size(); at += 2) {
    const char16_t c = static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8);
    if (c == 0) break;
    text.push_back(c);
  }
  out = std::move(text);
  return true;
}

bool CNServiceAnswer::GetValue(uint32_t i, CNValue& out) const {
  if (i >= m_arguments.size()) return false;
  const std::vector<uint8_t>& bytes = m_arguments[i];
  CNPacketHolder packet;
  if (!packet.Write(bytes.data(), static_cast<uint32_t>(bytes.size()))) return false;
  packet.Seek(0, CNPacketHolder::kSeekBegin);
  CNValue value;
  if (!DecodeValue(packet, value) || !packet.IsEnd()) return false;
  out = std::move(value);
  return true;
}
