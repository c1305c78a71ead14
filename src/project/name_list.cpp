#include "project/name_list.h"

#include "support/utf16_text.h"

std::vector<std::u16string_view> SplitNameList(std::u16string_view list) {
  std::vector<std::u16string_view> names;
  while (!list.empty()) {
    const size_t comma = list.find(u',');
    std::u16string_view name = list.substr(0, comma);
    list = comma == std::u16string_view::npos ? std::u16string_view() : list.substr(comma + 1);
    while (!name.empty() && IsSpaceAscii(name.front())) name.remove_prefix(1);
    while (!name.empty() && IsSpaceAscii(name.back())) name.remove_suffix(1);
    if (!name.empty()) names.push_back(name);
  }
  return names;
}
