#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text inside the runtime is UTF-16; these helpers convert at the edges and do the
// ASCII-only case-insensitive work that keywords, enumeration items and extensions need.

// Invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// The same into out, whose storage is reused.
void Utf8ToUtf16(std::string_view text, std::u16string& out);
std::string Utf16ToUtf8(std::u16string_view text);
// The same appended to out.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);
// Widens ASCII (or Latin-1) bytes one to one.
std::u16string AsciiToUtf16(std::string_view text);

char16_t ToUpperAscii(char16_t c);
char16_t ToLowerAscii(char16_t c);
std::u16string ToUpperAscii(std::u16string_view text);
bool EqualsIgnoreCaseAscii(std::u16string_view a, std::u16string_view b);
bool StartsWithIgnoreCaseAscii(std::u16string_view text, std::u16string_view prefix);

inline bool IsDigitAscii(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool IsHexDigitAscii(char16_t c) {
  return IsDigitAscii(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
inline bool IsAlphaAscii(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
inline bool IsSpaceAscii(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Leading-number parse of a decimal double, as C's strtod reads it without locale: optional
// white space, sign, digits, "." and digits, exponent. Stops at the first character that does
// not fit; returns 0.0 when no number starts the text. *consumed receives the code units read.
double ParseLeadingDouble(std::u16string_view text, size_t* consumed = nullptr);
// Leading unsigned hexadecimal parse (digits only, no prefix), wrapping at 32 bits as
// a 32-bit strtoul would saturate: values above 0xFFFFFFFF give 0xFFFFFFFF.
uint32_t ParseLeadingHex32(std::u16string_view text, size_t* consumed = nullptr);
// Leading signed decimal parse that saturates at the 32-bit limits, as "%d" reads.
int32_t ParseLeadingInt32(std::u16string_view text, size_t* consumed = nullptr);
