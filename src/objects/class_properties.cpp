#include "objects/class_properties.h"

#include "objects/property_codec.h"

CNClassProperties::CNClassProperties(std::span<const PropertyEntry> properties, std::span<const EventInfo> events)
    : m_properties(properties), m_events(events), m_defaults(properties.size()) {
  size_t slots = 8;
  while (slots < properties.size() * 4) slots *= 2;  // at most a quarter full: probes mostly hit at once
  m_index.resize(slots);
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
  // FNV-1a: names are short, and this is cheaper than a general byte hash for them.
  uint64_t hash = 14695981039346656037ull;
  for (const char16_t c : name) hash = (hash ^ c) * 1099511628211ull;
  const size_t mask = m_index.size() - 1;
  size_t at = static_cast<size_t>(hash ^ hash >> 32) & mask;
  while (m_index[at] && m_properties[m_index[at] - 1].info.name != name) at = (at + 1) & mask;
  return at;
}

int32_t CNClassProperties::Find(std::u16string_view name) const {
  return static_cast<int32_t>(m_index[FindSlot(name)]) - 1;
}

int32_t CNClassProperties::FindEvent(std::u16string_view name) const {
  for (size_t i = 0; i < m_events.size(); ++i)
    if (m_events[i].name == name) return static_cast<int32_t>(i);
  return -1;
}
