#pragma once

#include <cstdint>
#include <string_view>

#include "values/value.h"

// Holder of an enumeration property: the position of its item in the property's
// comma-separated item list ("NONE,TEXT,EVENT").
class CNEnum {
 public:
  explicit CNEnum(int32_t index = 0) : m_lIndex(index) {}
  virtual ~CNEnum() = default;

  virtual int32_t GetIndex() const { return m_lIndex; }
  void SetIndex(int32_t index) { m_lIndex = index; }

  // The property as a value: a string element holding the item's text.
  void ToValue(std::u16string_view items, CNValue& out) const;
  // Takes an item text (ignoring case) or an item position; false leaves the index unchanged.
  bool FromValue(std::u16string_view items, const CNValue& value);

  static uint32_t ItemCount(std::u16string_view items);
  // The text of item i, empty when i is out of range.
  static std::u16string_view ItemText(std::u16string_view items, int32_t i);
  // The position of text among the items ignoring case, -1 when absent.
  static int32_t ItemIndex(std::u16string_view items, std::u16string_view text);

 private:
  int32_t m_lIndex;
};
