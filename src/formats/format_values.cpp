#include "formats/format_values.h"

#include "support/utf16_text.h"

bool ReadTruth(std::u16string_view text) {
  if (EqualsIgnoreCaseAscii(text, u"TRUE") || EqualsIgnoreCaseAscii(text, u"T")) return true;
  if (text.empty() || EqualsIgnoreCaseAscii(text, u"FALSE") || EqualsIgnoreCaseAscii(text, u"F"))
    return false;
  return ParseLeadingDouble(text) != 0.0;
}

std::u16string_view WriteTruth(bool value) {
  return value ? u"T" : u"F";
}

bool ReadSymbol(std::u16string_view text, char16_t& out) {
  if (text.empty()) return false;
  out = text == u"$SP" ? u' ' : text.front();
  return true;
}

std::u16string WriteSymbol(char16_t symbol) {
  return symbol == u' ' ? std::u16string(u"$SP") : std::u16string(1, symbol);
}

int32_t ReadWhole(std::u16string_view text) {
  return ParseLeadingInt32(text);
}

std::u16string WriteWhole(int64_t value) {
  return AsciiToUtf16(std::to_string(value));
}

std::u16string_view TrimSpace(std::u16string_view text) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
  std::u16string out;
  out.reserve(text.size());
  size_t start = 0;
  for (size_t at; !from.empty() && (at = text.find(from, start)) != std::u16string_view::npos;
       start = at + from.size()) {
    out.append(text.substr(start, at - start));
    out.append(to);
  }
  out.append(text.substr(start));
  return out;
}
