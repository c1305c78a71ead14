#include "draw/font.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <type_traits>
#include <vector>

#include "support/utf16_text.h"

namespace {

// Heights and widths beyond this many pixels are not drawable text.
constexpr int32_t kMaxPixels = 2000;

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::u16string_view> SplitFields(std::u16string_view text) {
  std::vector<std::u16string_view> fields;
  for (size_t start = 0;;) {
    const size_t comma = text.find(u',', start);
    fields.push_back(Trim(text.substr(start, comma == std::u16string_view::npos ? comma : comma - start)));
    if (comma == std::u16string_view::npos) return fields;
    start = comma + 1;
  }
}

std::optional<int32_t> WholeNumber(std::u16string_view field) {
  size_t consumed = 0;
  const int32_t value = ParseLeadingInt32(field, &consumed);
  if (field.empty() || consumed != field.size()) return std::nullopt;
  return value;
}

}  // namespace

CRFont CRFont::FromText(std::u16string_view text) {
  CRFont font;
  const std::vector<std::u16string_view> fields = SplitFields(text);
  if (!fields[0].empty()) font.face = fields[0];
  auto read = [&fields](size_t index, auto& target) {
    if (index >= fields.size()) return;
    if (auto value = WholeNumber(fields[index]))
      target = static_cast<std::remove_reference_t<decltype(target)>>(*value);
  };
  read(1, font.height);
  read(2, font.width);
  read(3, font.weight);
  read(4, font.italic);
  read(5, font.underline);
  read(6, font.strikeOut);
  read(7, font.escapement);
  read(8, font.orientation);
  if (font.height == 0) font.height = kDefaultHeight;
  font.height = std::clamp(font.height, -kMaxPixels, kMaxPixels);
  font.width = std::clamp(font.width, 0, kMaxPixels);
  font.weight = font.weight <= 0 ? 400 : std::min(font.weight, 1000);
  return font;
}

std::u16string CRFont::ToText() const {
  char numbers[128];
  std::snprintf(numbers, sizeof numbers, ",%d,%d,%d,%u,%u,%u,%d,%d", height, width, weight, italic, underline,
                strikeOut, escapement, orientation);
  return face + AsciiToUtf16(numbers);
}
