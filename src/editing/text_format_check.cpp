#include "editing/text_format_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "editing/text_format_environment.h"
#include "support/utf16_text.h"
#include "values/value_text.h"

namespace {

struct CheckMessage {
  std::u16string_view english;
  std::u16string_view japanese;
};

constexpr CheckMessage kNoNumber = {u"Please input some number.", u"数値を入力してください。"};
constexpr CheckMessage kOutOfRange = {u"%s is not in the range.\n\nPlease input between %s and %s.",
                                      u"「%s」は範囲外です。\n\n%s以上%s以下の数値を入力してください。"};
constexpr CheckMessage kAboveMaximum = {u"%s is not in the range.\n\nPlease input %s or under.",
                                        u"「%s」は範囲外です。\n\n%s以下の数値を入力してください。"};
constexpr CheckMessage kBelowMinimum = {u"%s is not in the range.\n\nPlease input %s or over.",
                                        u"「%s」は範囲外です。\n\n%s以上の数値を入力してください。"};

constexpr double kMaxUnsigned = 4294967295.0;

// Replaces each "%s" of pattern by the next argument.
std::u16string Fill(std::u16string_view pattern, std::initializer_list<std::u16string_view> args) {
  std::u16string out;
  auto arg = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

int DigitValue(char16_t c) {
  if (IsDigitAscii(c)) return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

bool IsBaseDigit(char16_t c, int32_t base) {
  return DigitValue(c) < base;
}

std::u16string WithoutCommas(std::u16string_view text) {
  std::u16string out(text);
  std::erase(out, u',');
  return out;
}

// unsigned-number := blanks ["-"] ["0x" (base 16)] digits
double ReadUnsigned(std::u16string_view text, int32_t base) {
  size_t i = 0;
  while (i < text.size() && IsSpaceAscii(text[i])) ++i;
  const bool negative = i < text.size() && text[i] == u'-';
  if (negative) ++i;
  if (base == 16 && StartsWithIgnoreCaseAscii(text.substr(i), u"0x")) i += 2;
  double value = 0.0;
  for (; i < text.size() && IsBaseDigit(text[i], base); ++i)
    value = std::min(value * base + DigitValue(text[i]), kMaxUnsigned);
  return negative ? -value : value;
}

}  // namespace

int32_t EntryBase(const CNNumberEntryFormat& format) {
  return format.version == 1 ? format.base : NumberFormatBase(format.numberFormat);
}

double ReadEntryNumber(std::u16string_view text, int32_t base) {
  const std::u16string plain = WithoutCommas(text);
  return base == 10 ? ParseLeadingDouble(plain) : ReadUnsigned(plain, base);
}

std::u16string WriteEntryNumber(double number, int32_t base, bool smallLetters) {
  if (base == 10 || !std::isfinite(number)) return NumberText(number);
  double magnitude = std::min(std::trunc(std::fabs(number)), kMaxUnsigned);
  auto whole = static_cast<uint64_t>(magnitude);
  std::u16string digits;
  const char16_t* letters = smallLetters ? u"0123456789abcdef" : u"0123456789ABCDEF";
  do {
    digits.insert(digits.begin(), letters[whole % static_cast<uint64_t>(base)]);
    whole /= static_cast<uint64_t>(base);
  } while (whole);
  return number <= -1.0 ? u"-" + digits : digits;
}

std::u16string ShapeEntryText(const CNNumberEntryFormat& format, double number, std::u16string_view text) {
  if (format.version != 2 || format.decimalPlaces < 0 || EntryBase(format) != 10 || !std::isfinite(number))
    return std::u16string(text);
  const int places = std::min(format.decimalPlaces, kMaxShownDecimals);
  const int length = std::snprintf(nullptr, 0, "%.*f", places, number);
  std::string shown(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(shown.data(), shown.size(), "%.*f", places, number);
  shown.resize(static_cast<size_t>(length));
  return AsciiToUtf16(shown);
}

bool UsesJapaneseMessages(int32_t message) {
  if (message == MESSAGE_JAPANESE) return true;
  if (message != MESSAGE_AUTO) return false;
  const std::u16string locale = CurrentLocaleName();
  return EqualsIgnoreCaseAscii(locale, u"JA-jp") || EqualsIgnoreCaseAscii(locale, u"ja");
}

CNNumberCheckResult CheckNumberText(const CNNumberEntryFormat& format, std::u16string_view text) {
  CNNumberCheckResult result;
  const std::u16string plain = WithoutCommas(text);
  if (plain.empty() && format.version == 1 && format.allowEmpty) {
    result.passed = true;
    return result;
  }
  const bool showsMessage = format.version == 1 && format.message != MESSAGE_NONE;
  const bool japanese = showsMessage && UsesJapaneseMessages(format.message);
  auto fail = [&](const CheckMessage& message, std::initializer_list<std::u16string_view> args) {
    if (showsMessage) result.message = Fill(japanese ? message.japanese : message.english, args);
    return result;
  };
  const int32_t base = EntryBase(format);
  if (std::none_of(plain.begin(), plain.end(), [base](char16_t c) { return IsBaseDigit(c, base); }))
    return fail(kNoNumber, {});
  result.number = ReadEntryNumber(plain, base);
  const bool belowMinimum = format.minimum && result.number < *format.minimum;
  const bool aboveMaximum = format.maximum && result.number > *format.maximum;
  if (belowMinimum || aboveMaximum) {
    const std::u16string minimum = format.minimum ? NumberText(*format.minimum) : std::u16string{};
    const std::u16string maximum = format.maximum ? NumberText(*format.maximum) : std::u16string{};
    if (format.minimum && format.maximum) return fail(kOutOfRange, {text, minimum, maximum});
    if (format.maximum) return fail(kAboveMaximum, {text, maximum});
    return fail(kBelowMinimum, {text, minimum});
  }
  result.passed = true;
  return result;
}

bool IsNumberPrefix(const CNNumberEntryFormat& format, std::u16string_view text) {
  const int32_t base = EntryBase(format);
  size_t i = 0;
  if (i < text.size() && text[i] == u'-') {
    if (format.minimum && *format.minimum >= 0) return false;
    ++i;
  }
  int32_t integerDigits = 0;
  for (; i < text.size() && (IsBaseDigit(text[i], base) || (base == 10 && text[i] == u',')); ++i)
    if (text[i] != u',') ++integerDigits;
  if (format.integerDigits > 0 && integerDigits > format.integerDigits) return false;
  if (i == text.size()) return true;
  if (base != 10 || text[i] != u'.' || format.fractionDigits == 0) return false;
  const std::u16string_view fraction = text.substr(i + 1);
  if (!std::all_of(fraction.begin(), fraction.end(), [](char16_t c) { return IsDigitAscii(c); })) return false;
  return format.fractionDigits == kFreeDigits || fraction.size() <= static_cast<size_t>(format.fractionDigits);
}
