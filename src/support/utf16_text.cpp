#include "support/utf16_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The range the second byte of a multi-byte sequence must fall in; the first byte decides it
// so that overlong forms, surrogates and code points above U+10FFFF are refused early.
struct LeadByte {
  int trailCount;  // -1: not a valid lead byte
  uint8_t secondLow;
  uint8_t secondHigh;
};

LeadByte ClassifyLead(uint8_t b) {
  if (b >= 0xC2 && b <= 0xDF) return {1, 0x80, 0xBF};
  if (b == 0xE0) return {2, 0xA0, 0xBF};
  if (b == 0xED) return {2, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {2, 0x80, 0xBF};
  if (b == 0xF0) return {3, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {3, 0x80, 0xBF};
  if (b == 0xF4) return {3, 0x80, 0x8F};
  return {-1, 0, 0};
}

size_t SkipSpace(std::u16string_view text, size_t i) {
  while (i < text.size() && IsSpaceAscii(text[i])) ++i;
  return i;
}

void SetConsumed(size_t* consumed, size_t count) {
  if (consumed) *consumed = count;
}

}  // namespace

// Each maximal ill-formed subsequence becomes one U+FFFD, the replacement practice that the
// Unicode standard recommends and that web browsers follow.
std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  Utf8ToUtf16(text, out);
  return out;
}

void Utf8ToUtf16(std::string_view text, std::u16string& out) {
  out.clear();
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<uint8_t>(text[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    const LeadByte lead = ClassifyLead(b);
    ++i;
    if (lead.trailCount < 0) {
      out.push_back(kReplacement);
      continue;
    }
    char32_t c = b & (0x3F >> lead.trailCount);
    bool complete = true;
    for (int k = 0; k < lead.trailCount; ++k) {
      const uint8_t low = k == 0 ? lead.secondLow : 0x80;
      const uint8_t high = k == 0 ? lead.secondHigh : 0xBF;
      if (i >= text.size()) {
        complete = false;
        break;
      }
      const auto t = static_cast<uint8_t>(text[i]);
      if (t < low || t > high) {
        complete = false;
        break;
      }
      c = (c << 6) | (t & 0x3F);
      ++i;
    }
    if (complete) {
      AppendUtf16(out, c);
    } else {
      out.push_back(kReplacement);
    }
  }
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  AppendUtf16AsUtf8(out, text);
  return out;
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view text) {
  out.reserve(out.size() + text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
}

std::u16string AsciiToUtf16(std::string_view text) {
  std::u16string out(text.size(), u'\0');
  for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<uint8_t>(text[i]);
  return out;
}

char16_t ToUpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

char16_t ToLowerAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

std::u16string ToUpperAscii(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = ToUpperAscii(c);
  return out;
}

bool EqualsIgnoreCaseAscii(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoreCaseAscii(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCaseAscii(text.substr(0, prefix.size()), prefix);
}

// number := space* sign? (digits ("." digits?)? | "." digits) (("e" | "E") sign? digits)?
// The matched characters are copied as ASCII and converted by std::from_chars, which never
// looks at the locale. Out-of-range results follow strtod: overflow gives +-HUGE_VAL and
// underflow +-0.
double ParseLeadingDouble(std::u16string_view text, size_t* consumed) {
  size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  std::string digits;  // the number without its sign, as from_chars wants it
  // Decimal exponent of the first significant digit, before the written exponent is added;
  // used only to tell overflow from underflow.
  int64_t magnitude = 0;
  bool seenSignificant = false;
  size_t mantissaDigits = 0;
  for (; i < text.size() && IsDigitAscii(text[i]); ++i, ++mantissaDigits) {
    digits.push_back(static_cast<char>(text[i]));
    if (seenSignificant) {
      ++magnitude;
    } else if (text[i] != u'0') {
      seenSignificant = true;
    }
  }
  if (i < text.size() && text[i] == u'.') {
    size_t j = i + 1;
    std::string fraction = ".";
    size_t fractionDigits = 0;
    for (; j < text.size() && IsDigitAscii(text[j]); ++j, ++fractionDigits) {
      fraction.push_back(static_cast<char>(text[j]));
      if (!seenSignificant) {
        --magnitude;
        if (text[j] != u'0') seenSignificant = true;
      }
    }
    if (mantissaDigits + fractionDigits > 0) {
      digits += fraction;
      mantissaDigits += fractionDigits;
      i = j;
    }
  }
  if (mantissaDigits == 0) {
    SetConsumed(consumed, 0);
    return 0.0;
  }
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
      negativeExponent = text[j] == u'-';
      ++j;
    }
    if (j < text.size() && IsDigitAscii(text[j])) {
      digits.push_back('e');
      if (negativeExponent) digits.push_back('-');
      int64_t exponent = 0;
      for (; j < text.size() && IsDigitAscii(text[j]); ++j) {
        digits.push_back(static_cast<char>(text[j]));
        if (exponent < 1'000'000) exponent = exponent * 10 + (text[j] - u'0');
      }
      magnitude += negativeExponent ? -exponent : exponent;
      i = j;
    }
  }
  SetConsumed(consumed, i);
  double value = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    value = magnitude > 0 ? HUGE_VAL : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

uint32_t ParseLeadingHex32(std::u16string_view text, size_t* consumed) {
  uint64_t value = 0;
  size_t i = 0;
  for (; i < text.size() && IsHexDigitAscii(text[i]); ++i) {
    const char16_t c = text[i];
    const unsigned digit = IsDigitAscii(c) ? c - u'0' : ToUpperAscii(c) - u'A' + 10;
    if (value <= 0xFFFFFFFFu) value = value * 16 + digit;
  }
  SetConsumed(consumed, i);
  return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

int32_t ParseLeadingInt32(std::u16string_view text, size_t* consumed) {
  size_t i = SkipSpace(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  const size_t firstDigit = i;
  // Accumulates the magnitude; once past 2^31 it stops growing, which is enough to saturate.
  int64_t value = 0;
  for (; i < text.size() && IsDigitAscii(text[i]); ++i) {
    if (value <= int64_t{1} << 31) value = value * 10 + (text[i] - u'0');
  }
  if (i == firstDigit) {
    SetConsumed(consumed, 0);
    return 0;
  }
  SetConsumed(consumed, i);
  if (negative) {
    value = -value;
    return value < std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::min()
                                                       : static_cast<int32_t>(value);
  }
  return value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                     : static_cast<int32_t>(value);
}
