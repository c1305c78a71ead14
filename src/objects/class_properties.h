#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "objects/property_info.h"
#include "objects/value.h"

// What a class knows of its properties and events, built once per class from its constexpr
// tables: the entries, a name index (lookups allocate nothing) and the defaults converted to
// their stored form.
class CNClassProperties {
 public:
  CNClassProperties(std::span<const PropertyEntry> properties, std::span<const EventInfo> events);
  CNClassProperties(const CNClassProperties&) = delete;
  CNClassProperties& operator=(const CNClassProperties&) = delete;

  uint32_t GetCount() const { return static_cast<uint32_t>(m_properties.size()); }
  const PropertyInfo& GetInfo(uint32_t i) const { return m_properties[i].info; }
  // -1 when the class has no property of that name (names compare exactly).
  int32_t Find(std::u16string_view name) const;
  // The class's default for property i in its stored form; null when it answers none.
  const CNValue* GetDefault(uint32_t i) const { return m_defaults[i].get(); }

  std::span<const EventInfo> GetEvents() const { return m_events; }
  int32_t FindEvent(std::u16string_view name) const;

 private:
  // The slot holding name, else the free slot where it would go.
  size_t FindSlot(std::u16string_view name) const;

  std::span<const PropertyEntry> m_properties;
  std::span<const EventInfo> m_events;
  // Open addressing over a power-of-two table: property index + 1 per slot, 0 when free.
  std::vector<uint32_t> m_index;
  std::vector<std::unique_ptr<CNValue>> m_defaults;
};
