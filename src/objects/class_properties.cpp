#include "objects/class_properties.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "objects/property_codec.h"
#include "support/utf16_text.h"

namespace {

// The low bytes of count characters (at most eight), the first in the lowest byte: for ASCII
// text the bytes themselves, whatever the width of its characters.
uint64_t PackLowBytes(const char16_t* text, size_t count) {
  uint64_t packed = 0;
  for (size_t k = 0; k < count; ++k) packed |= static_cast<uint64_t>(text[k] & 0xFF) << (8 * k);
  return packed;
}

uint64_t PackLowBytes(const char* text, size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    if (count == 8) {
      uint64_t packed;
      std::memcpy(&packed, text, 8);
      return packed;
    }
    if (count == 4) {
      uint32_t packed;
      std::memcpy(&packed, text, 4);
      return packed;
    }
  }
  uint64_t packed = 0;
  for (size_t k = 0; k < count; ++k)
    packed |= static_cast<uint64_t>(static_cast<unsigned char>(text[k])) << (8 * k);
  return packed;
}

// The key of a name: its first and last characters' low bytes (eight each, or four for names
// shorter than eight, all of them for names shorter than four) and its length. A few loads
// for the name of a file's attribute; for an ASCII name up to 16 characters long it says all
// there is.
template <class Char>
CNClassProperties::NameKey MakeNameKey(std::basic_string_view<Char> name) {
  const size_t size = name.size();
  const size_t part = size >= 8 ? 8 : size >= 4 ? 4 : size;
  const uint64_t head = PackLowBytes(name.data(), part);
  const uint64_t tail = size >= 4 ? PackLowBytes(name.data() + size - part, part) : 0;
  return {head, tail, size};
}

uint64_t NameHash(const CNClassProperties::NameKey& key) {
  return ((key.head * 0x9E3779B97F4A7C15ull) ^ key.tail ^ key.size) * 0xC2B2AE3D27D4EB4Full;
}

bool IsAscii(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

}  // namespace

CNClassProperties::CNClassProperties(std::span<const PropertyEntry> properties, std::span<const EventInfo> events)
    : m_properties(properties),
      m_events(events),
      m_defaults(properties.size()),
      m_answers(std::make_unique<std::atomic<uint8_t>[]>(properties.size())) {
  size_t slots = 8;
  while (slots < properties.size() * 4) slots *= 2;  // at most a quarter full: probes mostly hit at once
  m_index.resize(slots);
  const bool ascii = std::all_of(properties.begin(), properties.end(),
                                 [](const PropertyEntry& entry) { return IsAscii(entry.info.name); });
  if (ascii) {
    m_asciiKeys.reserve(properties.size());
    for (const PropertyEntry& entry : properties) m_asciiKeys.push_back(MakeNameKey(entry.info.name));
  }
  for (uint32_t i = 0; i < properties.size(); ++i) {
    const PropertyEntry& entry = properties[i];
    uint32_t& slot = m_index[FindSlot(entry.info.name)];
    if (!slot) slot = i + 1;  // the first of a repeated name wins
    if (!entry.defaultText) continue;
    auto converted = std::make_unique<CNValue>();
    if (ConvertPropertyText(entry.info, entry.defaultText, *converted)) m_defaults[i] = std::move(converted);
  }
}

size_t CNClassProperties::FindSlot(std::u16string_view name) const {
  const size_t mask = m_index.size() - 1;
  size_t at = static_cast<size_t>(NameHash(MakeNameKey(name)) >> 32) & mask;
  while (m_index[at] && m_properties[m_index[at] - 1].info.name != name) at = (at + 1) & mask;
  return at;
}

int32_t CNClassProperties::Find(std::u16string_view name) const {
  return static_cast<int32_t>(m_index[FindSlot(name)]) - 1;
}

int32_t CNClassProperties::Find(std::string_view name) const {
  // Every name of the table is ASCII: bytes compare with bytes, and a name with other
  // characters, which no conversion makes ASCII, is none of them.
  if (m_asciiKeys.empty() && !m_properties.empty()) return Find(std::u16string_view(Utf8ToUtf16(name)));
  const NameKey key = MakeNameKey(name);
  const size_t mask = m_index.size() - 1;
  for (size_t at = static_cast<size_t>(NameHash(key) >> 32) & mask; m_index[at]; at = (at + 1) & mask) {
    const uint32_t i = m_index[at] - 1;
    if (m_asciiKeys[i] != key) continue;
    // The key holds the first and last 8 bytes: longer names compare the characters between.
    const std::u16string_view slotName = m_properties[i].info.name;
    if (key.size <= 16 || std::equal(name.begin() + 8, name.end() - 8, slotName.begin() + 8,
                                     [](char a, char16_t b) { return static_cast<unsigned char>(a) == b; }))
      return static_cast<int32_t>(i);
  }
  return -1;
}

std::atomic<uint8_t>* CNClassProperties::ClaimClassAnswers(const std::type_info& type) const {
  const std::type_info* owner = nullptr;
  if (m_answeringClass.compare_exchange_strong(owner, &type, std::memory_order_acq_rel)) owner = &type;
  return owner == &type ? m_answers.get() : nullptr;
}

int32_t CNClassProperties::FindEvent(std::u16string_view name) const {
  for (size_t i = 0; i < m_events.size(); ++i)
    if (m_events[i].name == name) return static_cast<int32_t>(i);
  return -1;
}
