#include "c_text.h"

#include <cstdlib>
#include <cstring>

#include "support/utf16_text.h"

bool DecodeUtf8(std::string_view text, std::u16string& out) {
  out.clear();
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto byte = [&](size_t at) { return static_cast<uint8_t>(text[at]); };
    const uint8_t lead = byte(i);
    size_t length = 0;
    char32_t point = 0;
    if (lead < 0x80) length = 1, point = lead;
    else if (lead >= 0xC2 && lead <= 0xDF) length = 2, point = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, point = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, point = lead & 0x07;
    else return false;
    if (text.size() - i < length) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80) return false;
      point = (point << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    if (point >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(point);
    }
    i += length;
  }
  return true;
}

namespace {

// A quoted string whose only unescaped quotes are the first and the last character.
bool IsQuotedString(std::u16string_view text) {
  if (text.size() < 2 || text.front() != u'"') return false;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] == u'\\') ++i;
    else if (text[i] == u'"') return i == text.size() - 1;
  }
  return false;
}

bool IsNumber(std::u16string_view text) {
  if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    for (char16_t c : text.substr(2))
      if (!IsHexDigitAscii(c)) return false;
    return true;
  }
  size_t consumed = 0;
  ParseLeadingDouble(text, &consumed);
  return consumed == text.size() && consumed > 0;
}

}  // namespace

bool ParseValueLiteral(std::u16string_view text, CNValue& value) {
  if (text.empty()) return false;
  const char16_t first = text.front();
  bool valid = false;
  if (text.starts_with(u"c(")) valid = text.back() == u')';
  else if (first == u'"') valid = IsQuotedString(text);
  else if (first == u'#') valid = CNValue::IsLiteral(text);
  else if (IsDigitAscii(first) || first == u'-' || first == u'+' || first == u'.') valid = IsNumber(text);
  else valid = EqualsIgnoreCaseAscii(text, u"TRUE") || EqualsIgnoreCaseAscii(text, u"FALSE") || text == u"T" ||
               text == u"F";
  return valid && value.FromLiteral(text, true);
}

char* CopyForCaller(std::u16string_view text) {
  const std::string bytes = Utf16ToUtf8(text);
  char* copy = static_cast<char*>(std::malloc(bytes.size() + 1));
  if (copy) std::memcpy(copy, bytes.c_str(), bytes.size() + 1);
  return copy;
}
