// The common functions that convert numbers: named number formats, number bases, whole
// numbers, colours, codes and script literals.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "formats/format_store.h"
#include "formats/number_format_text.h"
#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/utf16_text.h"
#include "values/value_text.h"

namespace {

// The element as a signed 32-bit whole number, 0 outside that range.
int32_t WholeNumber(const ValueElement& e) {
  const double n = std::trunc(ElementAsNumber(e));
  return n >= INT32_MIN && n <= INT32_MAX ? static_cast<int32_t>(n) : 0;
}

// The number text under a named format: "NS"/"CNumStr" and "NL"/"CNumToLocale"(value[, format
// string[, decimal places]]); without a format string the default format given.
template <const char16_t* DefaultFormat>
bool NumberToText(CMethodCall& call) {
  const std::u16string format = call.Count() > 1 ? ArgText(call.Arg(1)) : DefaultFormat;
  const int32_t places = call.Count() > 2 ? ArgInt32(call.Arg(2)) : kRecordDecimalPlaces;
  CNFormatStore& store = CNFormatStore::Global();
  return EachElement(call, 1, 3, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetStringAt(i, store.Format(format, -1, e.kind == VK_NA, ElementAsNumber(e), -1, places));
  });
}

// "LN"/"CLocaleToNum"(text[, format string]): the number the format reads, no value when none.
template <const char16_t* DefaultFormat>
bool TextToNumber(CMethodCall& call) {
  const std::u16string format = call.Count() > 1 ? ArgText(call.Arg(1)) : DefaultFormat;
  CNFormatStore& store = CNFormatStore::Global();
  return EachElement(call, 1, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    double number = 0;
    if (store.Parse(format, ElementText(e), number) == kParseOk) result.SetNumberAt(i, number);
  });
}

constexpr char16_t kNumberFormat[] = u"@NUMBER";
constexpr char16_t kLocaleFormat[] = u"@LOCALE";

// "CNumToExp"(value[, digits]): scientific notation with digits after the point (default 6).
bool CNumToExp(CMethodCall& call) {
  const int32_t digits = call.Count() > 1 ? std::clamp(ArgInt32(call.Arg(1)), 0, 100) : 6;
  return EachElement(call, 1, 2, [digits](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind == VK_NA) return;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits, ElementAsNumber(e));
    result.SetStringAt(i, AsciiToUtf16(buffer));
  });
}

// "CNumToHex", "CNumToOct", "CNumToBin"(value[, digits]): the element as an unsigned 32-bit
// number (negative numbers in two's complement) in that base, upper case, padded with zeros to
// at least digits characters.
template <unsigned Base>
bool NumberToBase(CMethodCall& call) {
  const size_t digits = call.Count() > 1 ? std::min<size_t>(ArgCount(call.Arg(1)), 64) : 0;
  return EachElement(call, 1, 2, [digits](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind == VK_NA) return;
    auto n = static_cast<uint32_t>(TruncateToInt64(ElementAsNumber(e)));
    std::u16string text;
    do {
      text.insert(text.begin(), u"0123456789ABCDEF"[n % Base]);
      n /= Base;
    } while (n);
    if (text.size() < digits) text.insert(0, digits - text.size(), u'0');
    result.SetStringAt(i, text);
  });
}

// "CHexToNum", "COctToNum", "CBinToNum"(text): the digits of that base at the start of the
// text (after an optional "0x" for hexadecimal), read as an unsigned number; no value when
// the text starts with none.
template <unsigned Base>
bool BaseToNumber(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    const std::u16string own = ElementText(e);
    std::u16string_view text = own;
    if (Base == 16 && (text.starts_with(u"0x") || text.starts_with(u"0X"))) text.remove_prefix(2);
    double n = 0;
    size_t used = 0;
    for (; used < text.size(); ++used) {
      const char16_t c = ToUpperAscii(text[used]);
      const unsigned digit = IsDigitAscii(c) ? c - u'0' : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : Base;
      if (digit >= Base) break;
      n = n * Base + digit;
    }
    if (used) result.SetNumberAt(i, n);
  });
}

// "CInt"(value, ...): the element as a signed 32-bit whole number.
bool CInt(CMethodCall& call) {
  return EachElement(call, 1, SIZE_MAX, [](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetNumberAt(i, WholeNumber(e));
  });
}

// "GetRemainder"(dividend, divisor): the remainder with the sign of the dividend; the divisor
// repeats cyclically; a divisor of 0 leaves no value.
bool GetRemainder(CMethodCall& call) {
  if (call.Count() != 2) return false;
  const CNValue& divisors = call.Arg(1);
  ForEachElement(call.result, call.Arg(0), [&](CNValue& result, uint32_t i, const ValueElement& e) {
    const ValueElement* d = CyclicElement(divisors, i);
    const int64_t divisor = d ? WholeNumber(*d) : 0;
    if (divisor != 0) result.SetNumberAt(i, static_cast<double>(int64_t{WholeNumber(e)} % divisor));
  });
  return true;
}

// A colour number is red + green * 256 + blue * 65536.
uint32_t Channel(const CNValue& arg) { return static_cast<uint32_t>(ArgInt32(arg)) & 0xFF; }

// "RGB"(red, green, blue): the colour number of the three channels (each taken modulo 256).
bool RGB(CMethodCall& call) {
  if (call.Count() != 3) return false;
  call.result.SetNumber(Channel(call.Arg(0)) | Channel(call.Arg(1)) << 8 | Channel(call.Arg(2)) << 16);
  return true;
}

// "GetRColor", "GetGColor", "GetBColor"(colour): one channel of each colour number.
template <unsigned Shift>
bool ColorChannel(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind != VK_NA) result.SetNumberAt(i, (static_cast<uint32_t>(WholeNumber(e)) >> Shift) & 0xFF);
  });
}

// "GC"/"GradientColor"(from colour, to colour, ratio): the colour that lies ratio (0 to 1,
// clamped) of the way from the first to the second colour, element by element over ratio.
bool GradientColor(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const uint32_t from = static_cast<uint32_t>(ArgInt32(call.Arg(0)));
  const uint32_t to = static_cast<uint32_t>(ArgInt32(call.Arg(1)));
  ForEachElement(call.result, call.Arg(2), [&](CNValue& result, uint32_t i, const ValueElement& e) {
    const double ratio = std::clamp(ElementAsNumber(e), 0.0, 1.0);
    uint32_t color = 0;
    for (unsigned shift = 0; shift < 24; shift += 8) {
      const double a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
      color |= static_cast<uint32_t>(std::lround(a + (b - a) * ratio)) << shift;
    }
    result.SetNumberAt(i, color);
  });
  return true;
}

// "SV"/"SelectVal"(index, choice 0, choice 1, ...): at each position the element of the choice
// the index names (a bool counts as 0 or 1), the choices repeating cyclically; an index without
// a choice leaves no value.
bool SelectVal(CMethodCall& call) {
  return EachElement(call, 2, SIZE_MAX, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    const int32_t which = WholeNumber(e);
    if (e.kind == VK_NA || which < 0 || static_cast<size_t>(which) + 1 >= call.Count()) return;
    const CNValue& choice = call.Arg(static_cast<size_t>(which) + 1);
    if (choice.GetCount()) result.CopyElementAt(i, choice, i % choice.GetCount());
  });
}

// "CNumToComma"(value): the number text with a comma between groups of three digits.
bool CNumToComma(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind == VK_NA) return;
    std::u16string text = NumberText(ElementAsNumber(e));
    size_t end = text.find(u'.');
    if (end == std::u16string::npos) end = text.size();
    const size_t begin = text[0] == u'-' ? 1 : 0;
    for (size_t at = end; at > begin + 3; at -= 3) text.insert(at - 3, 1, u',');
    result.SetStringAt(i, text);
  });
}

// "CCommaToNum"(text): the number of a text written with thousands commas.
bool CCommaToNum(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetNumberAt(i, StringToNumber(ElementText(e)));
  });
}

bool CBool(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetBoolAt(i, ElementAsBool(e));
  });
}

bool CNum(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetNumberAt(i, ElementAsNumber(e));
  });
}

bool CStr(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetStringAt(i, ElementText(e));
  });
}

// "CLinearToPf" and "CPfToLinear"(value): between the linear scale of a power-factor meter
// (0 at factor 1, positive lagging, negative leading, -1 to 1) and the power factor itself
// (1 - x lagging, -(1 + x) leading). The mapping is its own inverse.
bool PowerFactorScale(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    const double x = ElementAsNumber(e);
    if (e.kind != VK_NA) result.SetNumberAt(i, x >= 0 ? 1 - x : -(1 + x));
  });
}

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// "CStrToBase64"(text): the Base64 text of the text's UTF-8 bytes.
bool CStrToBase64(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    const std::string bytes = Utf16ToUtf8(ElementText(e));
    std::string out;
    for (size_t at = 0; at < bytes.size(); at += 3) {
      uint32_t group = 0;
      const size_t n = std::min<size_t>(3, bytes.size() - at);
      for (size_t k = 0; k < 3; ++k) group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[at + k]) : 0);
      for (size_t k = 0; k < 4; ++k) out += k <= n ? kBase64[(group >> (18 - 6 * k)) & 63] : '=';
    }
    result.SetStringAt(i, AsciiToUtf16(out));
  });
}

// "CBase64ToStr"(text): the text whose UTF-8 bytes the Base64 text holds; white space is
// skipped, any other character outside the alphabet leaves no value.
bool CBase64ToStr(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    std::string bytes;
    uint32_t group = 0;
    int bits = 0;
    for (char16_t c : ElementText(e)) {
      if (c == u'=' || IsSpaceAscii(c)) continue;
      const char* at = c < 128 ? std::strchr(kBase64, static_cast<char>(c)) : nullptr;
      if (!at || !*at) return;
      group = (group << 6 | static_cast<uint32_t>(at - kBase64)) & 0xFFFFFF;
      if ((bits += 6) >= 8) bytes += static_cast<char>(group >> (bits -= 8) & 0xFF);
    }
    result.SetStringAt(i, Utf8ToUtf16(bytes));
  });
}

// "CScript"(value): the literal text of the whole value, with escapes.
bool CScript(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetString(call.Arg(0).ToLiteral(true));
  return true;
}

// "CScriptTo"(value): the literal text of the whole value, strings without escapes.
bool CScriptTo(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetString(call.Arg(0).ToLiteral(false));
  return true;
}

// "CValue"(text): the value a literal text (with escapes) writes; the empty value when the text
// is malformed.
bool CValue(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.FromLiteral(ArgText(call.Arg(0)), true);
  return true;
}

// "GetValueFormat"(value): the literal text of the value's shape: "#NOTHING#" for the empty
// value, else the dimension sizes joined by "x" ("3", "2x3").
bool GetValueFormat(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const CNValue& value = call.Arg(0);
  std::u16string text = value.IsEmpty() ? u"#NOTHING#" : u"";
  for (uint32_t d = 0; d < value.GetDimensionCount(); ++d)
    text += (d ? u"x" : u"") + AsciiToUtf16(std::to_string(value.GetDimensionSize(d)));
  call.result.SetString(text);
  return true;
}

constexpr std::array kConversionMethods = {
    MethodEntry{u"NL", "Short for CNumToLocale", &NumberToText<kLocaleFormat>},
    MethodEntry{u"CNumToLocale", "A number as text under a named locale number format",
                &NumberToText<kLocaleFormat>},
    MethodEntry{u"LN", "Short for CLocaleToNum", &TextToNumber<kLocaleFormat>},
    MethodEntry{u"CLocaleToNum", "The number a text written in a named locale number format holds",
                &TextToNumber<kLocaleFormat>},
    MethodEntry{u"NS", "Short for CNumStr", &NumberToText<kNumberFormat>},
    MethodEntry{u"CNumStr", "A number as text under a named number format", &NumberToText<kNumberFormat>},
    MethodEntry{u"CNumToExp", "A number in scientific notation, with the given digits after the point",
                &CNumToExp},
    MethodEntry{u"CNumToHex", "A number as an unsigned 32-bit hexadecimal text, padded with zeros",
                &NumberToBase<16>},
    MethodEntry{u"CNumToOct", "A number as an unsigned 32-bit octal text, padded with zeros",
                &NumberToBase<8>},
    MethodEntry{u"CNumToBin", "A number as an unsigned 32-bit binary text, padded with zeros",
                &NumberToBase<2>},
    MethodEntry{u"CHexToNum", "The number the hexadecimal digits at the start of a text write",
                &BaseToNumber<16>},
    MethodEntry{u"COctToNum", "The number the octal digits at the start of a text write", &BaseToNumber<8>},
    MethodEntry{u"CBinToNum", "The number the binary digits at the start of a text write", &BaseToNumber<2>},
    MethodEntry{u"CInt", "Each element as a signed 32-bit whole number, truncated toward zero", &CInt},
    MethodEntry{u"GetRemainder", "The remainder of whole-number division, with the sign of the dividend",
                &GetRemainder},
    MethodEntry{u"RGB", "The colour number of red, green and blue channels", &RGB},
    MethodEntry{u"GetRColor", "The red channel of a colour number", &ColorChannel<0>},
    MethodEntry{u"GetGColor", "The green channel of a colour number", &ColorChannel<8>},
    MethodEntry{u"GetBColor", "The blue channel of a colour number", &ColorChannel<16>},
    MethodEntry{u"SV", "Short for SelectVal", &SelectVal},
    MethodEntry{u"SelectVal", "At each position, the element of the choice the index names", &SelectVal},
    MethodEntry{u"GC", "Short for GradientColor", &GradientColor},
    MethodEntry{u"GradientColor", "The colour a ratio of the way from one colour to another", &GradientColor},
    MethodEntry{u"CNumToComma", "A number as text with commas between groups of three digits", &CNumToComma},
    MethodEntry{u"CCommaToNum", "The number of a text written with thousands commas", &CCommaToNum},
    MethodEntry{u"CBool", "Each element as a bool", &CBool},
    MethodEntry{u"CNum", "Each element as a number", &CNum},
    MethodEntry{u"CStr", "Each element's display text", &CStr},
    MethodEntry{u"CLinearToPf", "A power-factor meter's linear scale position as the power factor",
                &PowerFactorScale},
    MethodEntry{u"CPfToLinear", "A power factor as the position on a power-factor meter's linear scale",
                &PowerFactorScale},
    MethodEntry{u"CScript", "The literal text of a whole value, with escapes", &CScript},
    MethodEntry{u"GetValueFormat", "The shape of a value as text: its dimension sizes joined by x",
                &GetValueFormat},
    MethodEntry{u"CValue", "The value a literal text writes", &CValue},
    MethodEntry{u"CScriptTo", "The literal text of a whole value, strings without escapes", &CScriptTo},
    MethodEntry{u"CStrToBase64", "The Base64 text of a text's UTF-8 bytes", &CStrToBase64},
    MethodEntry{u"CBase64ToStr", "The text whose UTF-8 bytes a Base64 text holds", &CBase64ToStr},
};

}  // namespace

std::span<const MethodEntry> CommonConversionMethods() { return kConversionMethods; }
