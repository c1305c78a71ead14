// printf-style formatting of elements for "StringFormat" and "Format".
#include <algorithm>
#include <cstdio>
#include <string>

#include "methods/common_methods.h"
#include "support/utf16_text.h"

namespace {

constexpr int kMaxWidth = 1000;  // wider fields and longer precisions are cut to this

struct Conversion {
  std::string flags;
  int width = 0;
  int precision = -1;
  char16_t kind = 0;  // 0 when the text after "%" is no conversion
  size_t end = 0;     // the position after the conversion
};

int ReadNumber(std::u16string_view format, size_t& at) {
  int n = 0;
  while (at < format.size() && IsDigitAscii(format[at])) n = std::min(n * 10 + (format[at++] - u'0'), kMaxWidth);
  return n;
}

// The conversion that starts after the "%" at position at.
Conversion ReadConversion(std::u16string_view format, size_t at) {
  Conversion c;
  while (at < format.size() && std::u16string_view(u"-+ 0#").find(format[at]) != std::u16string_view::npos)
    c.flags += static_cast<char>(format[at++]);
  c.width = ReadNumber(format, at);
  if (at < format.size() && format[at] == u'.') c.precision = ReadNumber(format, ++at);
  while (at < format.size() && std::u16string_view(u"hlLqjzt").find(format[at]) != std::u16string_view::npos) ++at;
  if (at < format.size() && std::u16string_view(u"diuxXoceEfFgGs").find(format[at]) != std::u16string_view::npos)
    c.kind = format[at++];
  c.end = at;
  return c;
}

std::u16string PadText(std::u16string text, const Conversion& c) {
  if (c.precision >= 0 && text.size() > static_cast<size_t>(c.precision)) text.resize(c.precision);
  if (text.size() < static_cast<size_t>(c.width)) {
    const std::u16string pad(c.width - text.size(), u' ');
    text = c.flags.find('-') != std::string::npos ? text + pad : pad + text;
  }
  return text;
}

std::u16string Convert(const Conversion& c, const ValueElement& e) {
  if (c.kind == u's') return PadText(ElementText(e), c);
  if (c.kind == u'c') return PadText(std::u16string(1, static_cast<char16_t>(TruncateToInt64(ElementAsNumber(e)))), c);
  std::string directive = "%" + c.flags + std::to_string(c.width);
  if (c.precision >= 0) directive += "." + std::to_string(c.precision);
  char buffer[2 * kMaxWidth + 400];
  const double number = ElementAsNumber(e);
  const int64_t whole = TruncateToInt64(number);
  switch (c.kind) {
    case u'd':
    case u'i':
      std::snprintf(buffer, sizeof buffer, (directive + "lld").c_str(), static_cast<long long>(whole));
      break;
    case u'u':
    case u'x':
    case u'X':
    case u'o':
      directive += "ll";
      directive += static_cast<char>(c.kind);
      std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<unsigned long long>(whole));
      break;
    default:
      directive += static_cast<char>(c.kind);
      std::snprintf(buffer, sizeof buffer, directive.c_str(), number);
      break;
  }
  return AsciiToUtf16(buffer);
}

}  // namespace

std::u16string PrintfText(std::u16string_view format, std::span<const ValueElement* const> elements) {
  std::u16string out;
  size_t next = 0;
  for (size_t at = 0; at < format.size();) {
    const size_t percent = format.find(u'%', at);
    out.append(format.substr(at, percent == std::u16string_view::npos ? std::u16string_view::npos : percent - at));
    if (percent == std::u16string_view::npos) break;
    if (percent + 1 < format.size() && format[percent + 1] == u'%') {
      out += u'%';
      at = percent + 2;
      continue;
    }
    const Conversion c = ReadConversion(format, percent + 1);
    if (!c.kind) {  // not a conversion: copied as written
      out.append(format.substr(percent, c.end - percent));
    } else if (next < elements.size()) {
      if (const ValueElement* e = elements[next]) out += Convert(c, *e);
      ++next;
    }
    at = c.end;
  }
  return out;
}
