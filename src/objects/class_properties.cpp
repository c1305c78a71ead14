#include "objects/class_properties.h"

#include "objects/property_codec.h"

CNClassProperties::CNClassProperties(std::span<const PropertyEntry> properties, std::span<const EventInfo> events)
    : m_properties(properties), m_events(events), m_defaults(properties.size()) {
  m_index.reserve(properties.size());
  for (uint32_t i = 0; i < properties.size(); ++i) {
    const PropertyEntry& entry = properties[i];
    m_index.emplace(entry.info.name, i);  // the first of a repeated name wins
    if (!entry.defaultText) continue;
    CNValue text;
    text.SetString(entry.defaultText);
    auto converted = std::make_unique<CNValue>();
    if (ConvertPropertyValue(entry.info, text, *converted)) m_defaults[i] = std::move(converted);
  }
}

int32_t CNClassProperties::Find(std::u16string_view name) const {
  const auto it = m_index.find(name);
  return it == m_index.end() ? -1 : static_cast<int32_t>(it->second);
}

int32_t CNClassProperties::FindEvent(std::u16string_view name) const {
  for (size_t i = 0; i < m_events.size(); ++i)
    if (m_events[i].name == name) return static_cast<int32_t>(i);
  return -1;
}
