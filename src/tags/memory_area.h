#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "support/file_time.h"
#include "values/value.h"

// One row of the memory server's area table: a named array of panel-local values, or a computed
// source (blink, counters, waves, the time, connection state) whose element index is a parameter.
class MemoryArea {
 public:
  enum ValueType : uint8_t {
    kNumber = 1,
    kBool = 2,
    kString = 3,
    kTime = 4,
    kVariant = 5,
    kPerTag = 6,  // no array: every tag keeps its own value
  };
  enum Function : uint8_t {
    kPlain = 0,
    kBlink = 1,
    kInc = 2,
    kSin = 3,
    kCos = 4,
    kHsin = 5,
    kHcos = 6,
    kNow = 7,
    kSound = 8,
    kSys = 9,
  };

  // Areas with an array (plain areas and SOUND) get their size's worth of neutral elements.
  MemoryArea(std::u16string_view name, ValueType type, Function function, uint32_t size);

  const std::u16string& GetName() const { return m_strName; }
  ValueType GetType() const { return m_type; }
  Function GetFunction() const { return m_function; }
  // 0 means the element index is not an array position and any index is accepted.
  uint32_t GetSize() const { return m_ulSize; }
  bool IsPlain() const { return m_function == kPlain; }
  // Plain areas other than "#", and SOUND, keep their elements here.
  bool HasArray() const { return !std::holds_alternative<std::monostate>(m_storage); }

  // out becomes the element; left alone for an area without an array or an index beyond it.
  void ReadElement(uint32_t index, CNValue& out) const;
  // Stores value converted to the area's type; false when the element already held it (or
  // there is no such element).
  bool WriteElement(uint32_t index, const CNValue& value);

 private:
  using Storage = std::variant<std::monostate, std::vector<double>, std::vector<uint32_t>,
                               std::vector<std::u16string>, std::vector<FileTime>, std::vector<CNValue>>;

  std::u16string m_strName;
  ValueType m_type;
  Function m_function;
  uint32_t m_ulSize;
  Storage m_storage;
};

// The area table in its fixed order.
std::vector<MemoryArea> BuildMemoryAreas();

// Replaces slot by value unless it already holds the same contents in the same shape; true when
// it was replaced.
bool StoreVariant(CNValue& slot, const CNValue& value);
