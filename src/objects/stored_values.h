#pragma once

#include <cstdint>

#include "values/value.h"

// The values an object holds for properties of its class table, each under the property's
// index. One block holds them: the entries {property, position} sorted by property, then the
// values in the order they were first set, so that adding a value moves no other value unless
// the block grows (files list properties in any order).
class CNStoredValues {
 public:
  CNStoredValues() = default;
  CNStoredValues(const CNStoredValues&) = delete;
  CNStoredValues& operator=(const CNStoredValues&) = delete;
  ~CNStoredValues();

  // The value stored for property i; null when it has none.
  const CNValue* Find(uint32_t i) const;
  // The value of property i to write into; added, empty, when it has none (added true).
  CNValue& Obtain(uint32_t i, bool& added);
  // Takes back the value that Obtain has just added for property i.
  void DropAdded(uint32_t i);

 private:
  struct Entry {
    uint32_t property;
    uint32_t position;
  };
  struct Block {
    uint32_t count;
    uint32_t capacity;
    Entry* Entries() { return reinterpret_cast<Entry*>(this + 1); }
    CNValue* Values() { return reinterpret_cast<CNValue*>(Entries() + capacity); }
  };
  // The values start right after the entries.
  static_assert(sizeof(Block) % alignof(CNValue) == 0 && sizeof(Entry) % alignof(CNValue) == 0);

  // The first entry whose property is not below i.
  Entry* LowerBound(uint32_t i) const;
  // A block of capacity with this one's entries and values moved in; this one is freed.
  void Grow(uint32_t capacity);
  static Block* Allocate(uint32_t capacity);
  static void Free(Block* block);

  Block* m_pBlock = nullptr;
};
