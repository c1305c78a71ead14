#include "editing/text_format.h"

#include <algorithm>
#include <array>

#include "support/utf16_text.h"

namespace {

constexpr size_t kVersion1Fields = 8;
constexpr size_t kVersion2Fields = 5;

// Splits text at "," into N fields; missing ones are empty, any beyond N are ignored.
template <size_t N>
std::array<std::u16string_view, N> SplitFields(std::u16string_view text) {
  std::array<std::u16string_view, N> fields{};
  for (size_t i = 0; i < N && !text.empty(); ++i) {
    const size_t comma = text.find(u',');
    fields[i] = text.substr(0, comma);
    text = comma == std::u16string_view::npos ? std::u16string_view{} : text.substr(comma + 1);
  }
  return fields;
}

bool StripPrefix(std::u16string_view& text, std::u16string_view prefix) {
  if (!StartsWithIgnoreCaseAscii(text, prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// digit-part := "#"-containing (free) | count
int32_t ReadDigitPart(std::u16string_view part) {
  if (part.find(u'#') != std::u16string_view::npos) return kFreeDigits;
  return std::max(0, ParseLeadingInt32(part));
}

std::optional<double> ReadDecimalLimit(std::u16string_view field) {
  if (field.empty()) return std::nullopt;
  return ParseLeadingDouble(field);
}

// Version 2 limits may be written in hexadecimal: "0x" then unsigned digits.
std::optional<double> ReadLimit(std::u16string_view field) {
  if (StartsWithIgnoreCaseAscii(field, u"0x")) return ParseLeadingHex32(field.substr(2));
  return ReadDecimalLimit(field);
}

int32_t ReadBase(std::u16string_view field, bool& smallLetters) {
  if (field.empty()) return 10;
  const int32_t base = ParseLeadingInt32(field);
  if (base != 2 && base != 8 && base != 16) return 10;
  smallLetters = base == 16 && field.find(u's', 1) != std::u16string_view::npos;
  return base;
}

int32_t ReadCheckTime(std::u16string_view field) {
  return EqualsIgnoreCaseAscii(field, u"ENTER") ? CHECK_ENTER : CHECK_TYPING;
}

int32_t ReadMessage(std::u16string_view field) {
  if (EqualsIgnoreCaseAscii(field, u"JP")) return MESSAGE_JAPANESE;
  if (EqualsIgnoreCaseAscii(field, u"EN")) return MESSAGE_ENGLISH;
  return ParseFormatBool(field) ? MESSAGE_AUTO : MESSAGE_NONE;
}

CNNumberEntryFormat ParseVersion1(std::u16string_view text) {
  const auto fields = SplitFields<kVersion1Fields>(text);
  CNNumberEntryFormat format;
  format.version = 1;
  const std::u16string_view digits = fields[0];
  const size_t point = digits.find(u'.');
  format.integerDigits = ReadDigitPart(digits.substr(0, point));
  format.fractionDigits =
      point == std::u16string_view::npos ? 0 : ReadDigitPart(digits.substr(point + 1));
  format.minimum = ReadDecimalLimit(fields[1]);
  format.maximum = ReadDecimalLimit(fields[2]);
  format.base = ReadBase(fields[3], format.smallLetters);
  format.allowEmpty = ParseFormatBool(fields[4]);
  format.checkTime = ReadCheckTime(fields[5]);
  format.message = ReadMessage(fields[6]);
  format.flag = ParseFormatBool(fields[7]);
  return format;
}

CNNumberEntryFormat ParseVersion2(std::u16string_view text) {
  const auto fields = SplitFields<kVersion2Fields>(text);
  CNNumberEntryFormat format;
  format.version = 2;
  format.decimalPlaces = fields[0].empty() ? -1 : ParseLeadingInt32(fields[0]);
  format.minimum = ReadLimit(fields[1]);
  format.maximum = ReadLimit(fields[2]);
  if (!fields[3].empty()) format.numberFormat = fields[3];
  format.extra = fields[4];
  return format;
}

}  // namespace

bool ParseFormatBool(std::u16string_view text) {
  for (std::u16string_view yes : {u"TRUE", u"T", u"Y"})
    if (EqualsIgnoreCaseAscii(text, yes)) return true;
  for (std::u16string_view no : {u"FALSE", u"F", u"N"})
    if (EqualsIgnoreCaseAscii(text, no)) return false;
  return ParseLeadingDouble(text) != 0.0;
}

CNTextFormat ParseTextFormat(int32_t type, std::u16string_view text) {
  CNTextFormat format;
  switch (type) {
    case TEXT_TYPE_NUMBER:
      format.type = TEXT_TYPE_NUMBER;
      if (text.empty() || StripPrefix(text, u"v2:")) {
        format.number = ParseVersion2(text);
      } else {
        StripPrefix(text, u"v1:");
        format.number = ParseVersion1(text);
      }
      break;
    case TEXT_TYPE_PASSWORD:
      format.type = TEXT_TYPE_PASSWORD;
      break;
    default:
      format.maxLength = static_cast<uint32_t>(std::max(0, ParseLeadingInt32(text)));
      break;
  }
  return format;
}
