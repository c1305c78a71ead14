#include "panel_server_sim/arg_reader.h"

#include "comm/value_codec.h"

namespace panel_sim {

uint64_t LittleEndian(const std::vector<uint8_t>& bytes) {
  uint64_t v = 0;
  for (size_t i = bytes.size(); i-- > 0;) v = v << 8 | bytes[i];
  return v;
}

bool TextFromBytes(const std::vector<uint8_t>& bytes, std::u16string& out) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes[bytes.size() - 1] != 0 || bytes[bytes.size() - 2] != 0)
    return false;
  out.clear();
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (c == 0) break;
    out.push_back(c);
  }
  return true;
}

bool ValueFromBytes(const std::vector<uint8_t>& bytes, CNValue& out) {
  CNPacketHolder holder;
  if (!holder.Write(bytes.data(), static_cast<uint32_t>(bytes.size())) || !holder.Seek(0, CNPacketHolder::kSeekBegin))
    return false;
  return DecodeValue(holder, out) && holder.GetRemaining() == 0;
}

bool ArgReader::ReadRaw(std::vector<uint8_t>& out) {
  uint32_t length = 0;
  const uint32_t start = m_packet.GetPosition();
  if (!m_packet.ReadU32(length) || length > m_packet.GetRemaining()) {
    m_packet.Seek(start, CNPacketHolder::kSeekBegin);
    return false;
  }
  out.resize(length);
  return length == 0 || m_packet.Read(out.data(), length);
}

bool ArgReader::ReadInt32(uint32_t& out) {
  std::vector<uint8_t> bytes;
  if (!ReadRaw(bytes) || bytes.size() != sizeof out) return false;
  out = static_cast<uint32_t>(LittleEndian(bytes));
  return true;
}

bool ArgReader::ReadInt64(uint64_t& out) {
  std::vector<uint8_t> bytes;
  if (!ReadRaw(bytes) || bytes.size() != sizeof out) return false;
  out = LittleEndian(bytes);
  return true;
}

bool ArgReader::ReadText(std::u16string& out) {
  std::vector<uint8_t> bytes;
  return ReadRaw(bytes) && TextFromBytes(bytes, out);
}

bool ArgReader::ReadValue(CNValue& out) {
  std::vector<uint8_t> bytes;
  return ReadRaw(bytes) && ValueFromBytes(bytes, out);
}

bool ArgReader::ReadTime(FileTime& out) {
  std::vector<uint8_t> bytes;
  if (!ReadRaw(bytes)) return false;
  if (bytes.size() == sizeof out) {
    out = LittleEndian(bytes);
    return true;
  }
  CNValue value;
  if (!ValueFromBytes(bytes, value) || value.GetCount() == 0) return false;
  out = value.GetTime(0);
  return true;
}

bool ArgReader::ReadTexts(std::vector<std::u16string>& out) {
  std::vector<uint8_t> bytes;
  if (!ReadRaw(bytes)) return false;
  if (bytes.size() == sizeof(uint32_t)) return true;
  CNValue value;
  if (ValueFromBytes(bytes, value) && value.GetCount() > 0 && value.IsString(0)) {
    for (uint32_t i = 0; i < value.GetCount(); ++i)
      if (value.IsString(i)) out.emplace_back(value.GetStringView(i));
    return true;
  }
  std::u16string text;
  if (!TextFromBytes(bytes, text)) return false;
  out.push_back(std::move(text));
  return true;
}

}  // namespace panel_sim
