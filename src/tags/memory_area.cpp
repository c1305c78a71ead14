#include "tags/memory_area.h"

#include <type_traits>
#include <utility>

namespace {

// Replaces slot by value unless they are equal; true when replaced.
template <class T>
bool Store(T& slot, T value) {
  if (slot == value) return false;
  slot = std::move(value);
  return true;
}

// One element of each array type: read into a value, and written from one (converted).
void ReadAs(double e, CNValue& out) { out.SetNumber(e); }
void ReadAs(uint32_t e, CNValue& out) { out.SetBool(e != 0); }
void ReadAs(const std::u16string& e, CNValue& out) { out.SetString(e); }
void ReadAs(FileTime e, CNValue& out) { out.SetTime(e); }
void ReadAs(const CNValue& e, CNValue& out) { out.Assign(e); }

bool WriteAs(double& e, const CNValue& value) { return Store(e, value.GetNumber(0)); }
bool WriteAs(uint32_t& e, const CNValue& value) { return Store(e, value.GetBool(0) ? 1u : 0u); }
bool WriteAs(std::u16string& e, const CNValue& value) { return Store(e, value.GetText(0)); }
bool WriteAs(FileTime& e, const CNValue& value) { return Store(e, value.GetTime(0)); }
bool WriteAs(CNValue& e, const CNValue& value) { return StoreVariant(e, value); }

template <class Elements>
constexpr bool kIsArray = !std::is_same_v<std::decay_t<Elements>, std::monostate>;

}  // namespace

MemoryArea::MemoryArea(std::u16string_view name, ValueType type, Function function, uint32_t size)
    : m_strName(name), m_type(type), m_function(function), m_ulSize(size) {
  if (function != kPlain && function != kSound) return;
  switch (type) {
    case kNumber: m_storage = std::vector<double>(size); break;
    case kBool: m_storage = std::vector<uint32_t>(size); break;
    case kString: m_storage = std::vector<std::u16string>(size); break;
    case kTime: m_storage = std::vector<FileTime>(size); break;
    case kVariant: m_storage = std::vector<CNValue>(size); break;
    case kPerTag: break;
  }
}

void MemoryArea::ReadElement(uint32_t index, CNValue& out) const {
  std::visit(
      [&](const auto& elements) {
        if constexpr (kIsArray<decltype(elements)>) {
          if (index < elements.size()) ReadAs(elements[index], out);
        }
      },
      m_storage);
}

bool MemoryArea::WriteElement(uint32_t index, const CNValue& value) {
  return std::visit(
      [&](auto& elements) {
        if constexpr (kIsArray<decltype(elements)>) {
          return index < elements.size() && WriteAs(elements[index], value);
        } else {
          return false;
        }
      },
      m_storage);
}

std::vector<MemoryArea> BuildMemoryAreas() {
  // Computed areas take the element index as a period or step in ms, up to ten days; their
  // value type is not used, the function makes the value.
  constexpr uint32_t kPeriods = 864'000'000;
  constexpr uint32_t kElements = 10'000;
  std::vector<MemoryArea> areas;
  areas.reserve(13);
  areas.emplace_back(u"BLINK", MemoryArea::kBool, MemoryArea::kBlink, kPeriods);
  areas.emplace_back(u"INC", MemoryArea::kNumber, MemoryArea::kInc, kPeriods);
  areas.emplace_back(u"SIN", MemoryArea::kBool, MemoryArea::kSin, kPeriods);
  areas.emplace_back(u"COS", MemoryArea::kBool, MemoryArea::kCos, kPeriods);
  areas.emplace_back(u"HSIN", MemoryArea::kBool, MemoryArea::kHsin, kPeriods);
  areas.emplace_back(u"HCOS", MemoryArea::kBool, MemoryArea::kHcos, kPeriods);
  areas.emplace_back(u"D", MemoryArea::kNumber, MemoryArea::kPlain, kElements);
  areas.emplace_back(u"M", MemoryArea::kBool, MemoryArea::kPlain, kElements);
  areas.emplace_back(u"S", MemoryArea::kString, MemoryArea::kPlain, kElements);
  areas.emplace_back(u"#", MemoryArea::kPerTag, MemoryArea::kPlain, 0);
  areas.emplace_back(u"NOW", MemoryArea::kTime, MemoryArea::kNow, 0);
  areas.emplace_back(u"SOUND", MemoryArea::kNumber, MemoryArea::kSound, 10);
  areas.emplace_back(u"SYS", MemoryArea::kNumber, MemoryArea::kSys, 100);
  return areas;
}

bool StoreVariant(CNValue& slot, const CNValue& value) {
  if (slot.IsSameShape(value) && slot.IsEqual(kCompareContents, value)) return false;
  slot.Assign(value);
  return true;
}
