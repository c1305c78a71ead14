#include "values/enum_value.h"

#include "support/utf16_text.h"

uint32_t CNEnum::ItemCount(std::u16string_view items) {
  if (items.empty()) return 0;
  uint32_t n = 1;
  for (char16_t c : items)
    if (c == u',') ++n;
  return n;
}

std::u16string_view CNEnum::ItemText(std::u16string_view items, int32_t i) {
  if (i < 0 || items.empty()) return {};
  size_t begin = 0;
  for (int32_t k = 0; k < i; ++k) {
    const size_t comma = items.find(u',', begin);
    if (comma == std::u16string_view::npos) return {};
    begin = comma + 1;
  }
  const size_t end = items.find(u',', begin);
  return items.substr(begin, end == std::u16string_view::npos ? std::u16string_view::npos : end - begin);
}

int32_t CNEnum::ItemIndex(std::u16string_view items, std::u16string_view text) {
  if (items.empty()) return -1;
  size_t begin = 0;
  for (int32_t i = 0;; ++i) {
    const size_t end = items.find(u',', begin);
    const std::u16string_view item = items.substr(begin, end == std::u16string_view::npos ? end : end - begin);
    if (EqualsIgnoreCaseAscii(item, text)) return i;
    if (end == std::u16string_view::npos) return -1;
    begin = end + 1;
  }
}

void CNEnum::ToValue(std::u16string_view items, CNValue& out) const {
  out.SetString(ItemText(items, GetIndex()));
}

bool CNEnum::FromValue(std::u16string_view items, const CNValue& value) {
  int32_t index = -1;
  if (value.IsString(0)) {
    index = ItemIndex(items, value.GetStringView(0));
  } else if (value.IsNumber(0) || value.IsBool(0)) {
    const double number = value.GetNumber(0);
    if (number >= 0 && number < ItemCount(items)) index = static_cast<int32_t>(number);
  }
  if (index < 0) return false;
  m_lIndex = index;
  return true;
}
