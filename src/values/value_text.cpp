#include "values/value_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "support/utf16_text.h"

std::u16string NumberText(double number) {
  // "%.8f": at most 309 integer digits, the point and 8 decimals.
  char buffer[352];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, 8);
  std::string_view text(buffer, ec == std::errc() ? static_cast<size_t>(end - buffer) : 0);
  if (text.find('.') != std::string_view::npos) {
    while (!text.empty() && text.back() == '0') text.remove_suffix(1);
    while (!text.empty() && text.back() == '.') text.remove_suffix(1);
  }
  // Negative zero, and negatives that round to zero, show as "0" rather than "-0".
  if (text == "-0") text = "0";
  return AsciiToUtf16(text);
}

std::u16string ObjectText(uint32_t handle) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#&%08X#", handle);
  return AsciiToUtf16(buffer);
}

uint32_t ParseObjectLiteral(std::u16string_view text) {
  if (text.size() < 11 || text[0] != u'#' || text[1] != u'&' || text[10] != u'#') return 0;
  uint32_t handle = 0;
  for (size_t i = 2; i < 10; ++i) {
    const char16_t c = text[i];
    if (!IsHexDigitAscii(c)) return 0;
    const uint32_t digit = IsDigitAscii(c) ? c - u'0' : (ToUpperAscii(c) - u'A' + 10);
    handle = handle << 4 | digit;
  }
  return handle;
}

namespace {

// 1 for a true keyword, 0 for a false one, -1 for anything else.
int BoolKeyword(std::u16string_view text) {
  if (EqualsIgnoreCaseAscii(text, u"TRUE") || EqualsIgnoreCaseAscii(text, u"T")) return 1;
  if (EqualsIgnoreCaseAscii(text, u"FALSE") || EqualsIgnoreCaseAscii(text, u"F")) return 0;
  return -1;
}

double DecimalWithoutCommas(std::u16string_view text) {
  if (text.find(u',') == std::u16string_view::npos) return ParseLeadingDouble(text);
  std::u16string stripped;
  stripped.reserve(text.size());
  for (char16_t c : text)
    if (c != u',') stripped.push_back(c);
  return ParseLeadingDouble(stripped);
}

}  // namespace

double StringToNumber(std::u16string_view text) {
  // A whole number of a few digits, the usual text, needs no general parse (and is exact).
  if (!text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), IsDigitAscii)) {
    double whole = 0;
    for (const char16_t c : text) whole = whole * 10 + (c - u'0');
    return whole;
  }
  if (const int keyword = BoolKeyword(text); keyword >= 0) return keyword;
  if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
    return ParseLeadingHex32(text.substr(2));
  return DecimalWithoutCommas(text);
}

bool StringToBool(std::u16string_view text) {
  if (text.empty()) return false;
  if (const int keyword = BoolKeyword(text); keyword >= 0) return keyword == 1;
  return ParseLeadingDouble(text) != 0.0;
}
