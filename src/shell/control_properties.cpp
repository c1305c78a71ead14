#include "shell/control_properties.h"

namespace {

void PutWord(std::vector<uint8_t>& out, uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(word >> shift));
}

void PutText(std::vector<uint8_t>& out, const std::u16string& text) {
  PutWord(out, static_cast<uint32_t>(text.size()));
  for (char16_t unit : text) {
    out.push_back(static_cast<uint8_t>(unit));
    out.push_back(static_cast<uint8_t>(unit >> 8));
  }
}

// Reads forward through the bytes; every read checks that the bytes are there.
class CPropertyReader {
 public:
  explicit CPropertyReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

  bool Word(uint32_t& word) {
    if (m_bytes.size() - m_at < 4) return false;
    word = 0;
    for (int i = 0; i < 4; ++i) word |= uint32_t{m_bytes[m_at + i]} << (8 * i);
    m_at += 4;
    return true;
  }
  bool Text(std::u16string& text) {
    uint32_t units = 0;
    if (!Word(units) || units > CControlProperties::kMaxTextUnits || (m_bytes.size() - m_at) / 2 < units)
      return false;
    text.resize(units);
    for (uint32_t i = 0; i < units; ++i, m_at += 2)
      text[i] = static_cast<char16_t>(m_bytes[m_at] | (m_bytes[m_at + 1] << 8));
    return true;
  }
  bool AtEnd() const { return m_at == m_bytes.size(); }

 private:
  std::span<const uint8_t> m_bytes;
  size_t m_at = 0;
};

}  // namespace

std::vector<uint8_t> CControlProperties::Save() const {
  std::vector<uint8_t> out;
  PutWord(out, kExchangeVersion);
  PutWord(out, static_cast<uint32_t>(width));
  PutWord(out, static_cast<uint32_t>(height));
  PutText(out, fileName);
  PutText(out, currentDirectory);
  return out;
}

bool CControlProperties::Load(std::span<const uint8_t> bytes) {
  CPropertyReader reader(bytes);
  uint32_t version = 0, w = 0, h = 0;
  CControlProperties read;
  if (!reader.Word(version) || version != kExchangeVersion || !reader.Word(w) || !reader.Word(h) ||
      !reader.Text(read.fileName) || !reader.Text(read.currentDirectory) || !reader.AtEnd())
    return false;
  read.width = static_cast<int32_t>(w);
  read.height = static_cast<int32_t>(h);
  *this = std::move(read);
  return true;
}
