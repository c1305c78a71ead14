#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "objects/property_info.h"
#include "values/value.h"

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
  // The same for a name in UTF-8, as a form file gives it: an ASCII name is looked up without
  // being widened first.
  int32_t Find(std::string_view name) const;
  // The class's default for property i in its stored form; null when it answers none.
  const CNValue* GetDefault(uint32_t i) const { return m_defaults[i].get(); }

  // Room for the answers of objects of one class to a question about each property that
  // depends on their class alone, by property index (0 while not asked). It belongs to the
  // first class that asks, the one the table was made for; null for any other class sharing it.
  std::atomic<uint8_t>* GetClassAnswers(const std::type_info& type) const {
    const std::type_info* owner = m_answeringClass.load(std::memory_order_acquire);
    if (owner == &type) return m_answers.get();
    return owner ? nullptr : ClaimClassAnswers(type);
  }

  std::span<const EventInfo> GetEvents() const { return m_events; }
  int32_t FindEvent(std::u16string_view name) const;

  // What a name lookup compares first (class_properties.cpp).
  struct NameKey {
    uint64_t head = 0;
    uint64_t tail = 0;
    size_t size = 0;
    friend bool operator==(const NameKey&, const NameKey&) = default;
  };

 private:
  // GetClassAnswers for the first class that asks. Classes compare by the address of their
  // type information: a class whose information a library repeats merely goes without answers.
  std::atomic<uint8_t>* ClaimClassAnswers(const std::type_info& type) const;
  // The slot holding name, else the free slot where it would go.
  size_t FindSlot(std::u16string_view name) const;

  std::span<const PropertyEntry> m_properties;
  std::span<const EventInfo> m_events;
  // Open addressing over a power-of-two table: property index + 1 per slot, 0 when free.
  std::vector<uint32_t> m_index;
  // By property index, the keys of the names when every one is ASCII (empty otherwise), which
  // names in UTF-8 compare with.
  std::vector<NameKey> m_asciiKeys;
  std::vector<std::unique_ptr<CNValue>> m_defaults;
  mutable std::atomic<const std::type_info*> m_answeringClass{nullptr};
  std::unique_ptr<std::atomic<uint8_t>[]> m_answers;
};
