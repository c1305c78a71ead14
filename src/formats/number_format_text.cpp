#include "formats/number_format_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

#include "formats/format_values.h"
#include "support/utf16_text.h"

namespace {

// The longest digits: 309 places before the point of the largest double, the point and the
// most decimal places.
constexpr size_t kDigitsCapacity = 512;
// Places printed when the record says "as many as needed", before trailing zeros go.
constexpr int kPlacesAsNeeded = 8;

const std::u16string* QualityText(const CNNumberFormat& record, int32_t qualityCode, bool notAvailable,
                                  int32_t qualityState) {
  const bool showBad = record.qualityBad == kQualityShowValue;
  if (qualityState == kNumberStateUncertain) return &record.qualityUncertain;
  if (qualityState == kNumberStateBad && !showBad) return &record.qualityBad;
  if (qualityCode == kNumberCodeBad && !showBad) return &record.qualityBad;
  if (qualityCode == kNumberCodeUncertain) return &record.qualityUncertain;
  if (notAvailable) return &record.qualityNA;
  return nullptr;
}

double PointFactor(const CNNumberFormat& record) {
  return std::pow(static_cast<double>(record.base), static_cast<double>(record.pointShift));
}

// Base 2, 8 and 16: the magnitude truncated to an unsigned 32-bit number, 0 outside that range.
size_t WriteWholeDigits(const CNNumberFormat& record, double magnitude, char* out) {
  const char* symbols = record.smallLetters ? "0123456789abcdef" : "0123456789ABCDEF";
  const int bits = record.base == 2 ? 1 : record.base == 8 ? 3 : 4;
  const uint32_t mask = static_cast<uint32_t>(record.base - 1);
  uint32_t whole = magnitude <= 4294967295.0 ? static_cast<uint32_t>(magnitude) : 0;
  char reversed[32];
  size_t length = 0;
  do {
    reversed[length++] = symbols[whole & mask];
    whole >>= bits;
  } while (whole != 0);
  std::reverse_copy(reversed, reversed + length, out);
  return length;
}

// The digits of the magnitude in ASCII with "." for the point; returns their length.
size_t WriteDigits(const CNNumberFormat& record, double magnitude, int32_t places, char* out) {
  if (record.base != 10) return WriteWholeDigits(record, magnitude, out);
  const bool asNeeded = places < 0;
  const int precision = asNeeded ? kPlacesAsNeeded : std::min(places, kMaxDecimalPlaces);
  const auto written =
      std::to_chars(out, out + kDigitsCapacity, magnitude, std::chars_format::fixed, precision);
  size_t length = static_cast<size_t>(written.ptr - out);
  if (asNeeded && std::memchr(out, '.', length)) {
    while (out[length - 1] == '0') --length;
    if (out[length - 1] == '.') --length;
  }
  return length;
}

// Padding, grouping and the decimal symbol around the digits.
void AppendBody(const CNNumberFormat& record, const char* digits, size_t length, std::u16string& out) {
  const size_t wanted = static_cast<size_t>(record.displayLength);
  const size_t padding = wanted > length ? wanted - length : 0;
  const char* point = static_cast<const char*>(std::memchr(digits, '.', length));
  const size_t integerLength = padding + (point ? static_cast<size_t>(point - digits) : length);

  // Where separators go, counted from the left of the whole part, found from the right.
  std::array<uint16_t, kDigitsCapacity + kMaxDisplayLength> marks;
  size_t markCount = 0;
  if (record.separator && !record.grouping.empty()) {
    size_t left = integerLength;
    for (size_t g = 0;; ++g) {
      const int32_t size = record.grouping[std::min(g, record.grouping.size() - 1)];
      if (size <= 0 || static_cast<size_t>(size) >= left) break;  // never in front of the first
      left -= static_cast<size_t>(size);
      marks[markCount++] = static_cast<uint16_t>(left);
    }
  }

  out.reserve(out.size() + padding + length + markCount);
  for (size_t i = 0; i < integerLength; ++i) {
    if (markCount > 0 && marks[markCount - 1] == i) {
      out += record.separatorSymbol;
      --markCount;
    }
    out += i < padding ? record.paddingSymbol : static_cast<char16_t>(digits[i - padding]);
  }
  if (point) {
    out += record.decimalSymbol;
    for (const char* c = point + 1; c < digits + length; ++c) out += static_cast<char16_t>(*c);
  }
}

bool RemovePrefix(std::u16string_view& text, std::u16string_view prefix) {
  if (prefix.empty() || !text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

bool RemoveSuffix(std::u16string_view& text, std::u16string_view suffix) {
  if (suffix.empty() || !text.ends_with(suffix)) return false;
  text.remove_suffix(suffix.size());
  return true;
}

// The sign by the negative-number format: parentheses, or a "-" (or the record's own negative
// sign) in front or behind. A positive sign in the same place is dropped.
bool RemoveSign(const CNNumberFormat& record, std::u16string_view& text) {
  if (record.negativeFormat == 0) {
    if (text.size() < 2 || text.front() != u'(' || text.back() != u')') return false;
    text = text.substr(1, text.size() - 2);
    return true;
  }
  const bool front = record.negativeFormat <= 2;
  const auto remove = front ? RemovePrefix : RemoveSuffix;
  if (remove(text, u"-") || remove(text, record.negativeSign)) return true;
  remove(text, record.positiveSign);
  return false;
}

// An unsigned whole number in base 2, 8 or 16 (an "0x" prefix allowed for 16), saturating at
// 4294967295; false when no digit starts the text.
bool ReadWholeInBase(std::u16string_view text, int32_t base, double& value) {
  if (base == 16 && text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X') &&
      IsHexDigitAscii(text[2]))
    text.remove_prefix(2);
  uint64_t whole = 0;
  size_t i = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    const int digit = IsDigitAscii(c) ? c - u'0' : IsHexDigitAscii(c) ? (ToLowerAscii(c) - u'a' + 10) : 99;
    if (digit >= base) break;
    whole =
        std::min<uint64_t>(whole * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit), 0xFFFFFFFFu);
  }
  value = static_cast<double>(whole);
  return i > 0;
}

}  // namespace

void FormatNumber(const CNNumberFormat& record, int32_t qualityCode, bool notAvailable, double value,
                  int32_t qualityState, int32_t decimalPlaces, std::u16string& out) {
  if (const std::u16string* text = QualityText(record, qualityCode, notAvailable, qualityState)) {
    out = *text;
    return;
  }
  out.clear();
  const bool negative = value < 0;  // neither -0 nor NaN
  double magnitude = std::fabs(value);
  if (record.pointShift != 0 && magnitude != 0) magnitude *= PointFactor(record);
  char digits[kDigitsCapacity];
  const size_t length =
      WriteDigits(record, magnitude, decimalPlaces >= 0 ? decimalPlaces : record.decimalPlaces, digits);

  const std::u16string& sign = negative ? record.negativeSign : record.positiveSign;
  const int32_t order = record.negativeFormat;
  const bool showSign = order == 0 ? negative : !sign.empty();
  out += record.header;
  if (showSign && order == 0) out += u'(';
  if (showSign && (order == 1 || order == 2)) out += sign;
  if (showSign && order == 2) out += u' ';
  const size_t bodyStart = out.size();
  AppendBody(record, digits, length, out);
  if (!record.leadingZero && out.size() - bodyStart >= 2 && out[bodyStart] == u'0' &&
      out[bodyStart + 1] == record.decimalSymbol)
    out.erase(bodyStart, 1);
  if (showSign && order == 0) out += u')';
  if (showSign && order == 4) out += u' ';
  if (showSign && (order == 3 || order == 4)) out += sign;
  out += record.footer;
}

int ParseNumber(const CNNumberFormat& record, std::u16string_view text, double& value) {
  value = 0;
  if (text.empty()) return kParseNoNumber;
  RemovePrefix(text, record.header);
  RemoveSuffix(text, record.footer);
  text = TrimSpace(text);
  const bool negative = RemoveSign(record, text);
  text = TrimSpace(text);

  std::u16string cleaned;
  cleaned.reserve(text.size());
  bool leading = record.displayLength > 0 && record.paddingSymbol != u'0' && record.paddingSymbol != u' ';
  for (const char16_t c : text) {
    if (c == record.separatorSymbol) continue;
    if (leading && c == record.paddingSymbol) continue;
    leading = false;
    cleaned += c == record.decimalSymbol ? u'.' : c;
  }

  double number = 0;
  if (record.base == 10) {
    size_t used = 0;
    number = ParseLeadingDouble(cleaned, &used);
    if (used == 0) return kParseNoNumber;
  } else if (!ReadWholeInBase(cleaned, record.base, number)) {
    return kParseNoNumber;
  }
  if (record.pointShift != 0 && number != 0) number /= PointFactor(record);
  value = negative ? -number : number;
  return kParseOk;
}
