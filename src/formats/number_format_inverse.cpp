#include "formats/number_format_inverse.h"

#include "formats/format_values.h"

namespace {

using enum CNNumberKey;

constexpr int32_t kMostShiftDigits = 999;  // "M" takes at most three digits

std::u16string KeyText(const CNNumberFormat& record, const CNNumberKeyEntry& entry) {
  std::u16string text;
  GetNumberKey(record, entry.name, text);
  return text;
}

// The pattern letters for a key that differs from the base; empty when the letters cannot say
// the record's value.
std::u16string PatternLetters(const CNNumberFormat& record, CNNumberKey key) {
  switch (key) {
    case DecimalPlaces:
      return record.decimalPlaces >= 0 ? WriteWhole(record.decimalPlaces) : u"";
    case DisplayLength:
      return std::u16string(1, u'L').append(WriteWhole(record.displayLength));
    case DecimalPointMoving:
      if (record.pointShift < -kMostShiftDigits || record.pointShift > kMostShiftDigits) return u"";
      return (record.pointShift < 0 ? u"M-" : u"M") +
             WriteWhole(record.pointShift < 0 ? -record.pointShift : record.pointShift);
    case PositiveSign:
      return record.positiveSign == u"+" ? u"P" : u"";
    case Separator:
      return record.separator ? u"S" : u"";
    default:
      return u"";
  }
}

}  // namespace

std::u16string WriteNumberFormatString(const CNNumberFormat& record, std::u16string_view baseName,
                                       const CNNumberFormat& base) {
  std::u16string places;  // the number comes first, whatever the order of the keys
  std::u16string letters;
  std::u16string pairs;
  for (const CNNumberKeyEntry& entry : NumberFormatKeys()) {
    if (entry.key == All) continue;
    const std::u16string text = KeyText(record, entry);
    if (text == KeyText(base, entry)) continue;
    const std::u16string letter = PatternLetters(record, entry.key);
    if (letter.empty()) {
      pairs += std::u16string(entry.name) + u"=" + text + u";";
    } else {
      (entry.key == DecimalPlaces ? places : letters) += letter;
    }
  }
  std::u16string formatString(baseName);
  if (!places.empty() || !letters.empty()) formatString += u"." + places + letters;
  if (!pairs.empty()) formatString += u"<" + pairs + u">";
  return formatString;
}

std::u16string WriteNumberFormatSection(std::u16string_view name, const CNNumberFormat& record) {
  const CNNumberFormat fresh;
  std::u16string section(1, u'[');
  section.append(name).append(u"]\n");
  for (const CNNumberKeyEntry& entry : NumberFormatKeys()) {
    if (entry.key == All) continue;
    const std::u16string text = KeyText(record, entry);
    if (text != KeyText(fresh, entry)) section += std::u16string(entry.name) + u"=" + text + u"\n";
  }
  return section;
}
