#include "formats/number_format.h"

#include <algorithm>
#include <array>

#include "formats/format_values.h"
#include "support/utf16_text.h"

namespace {

using enum CNNumberKey;

constexpr std::array kKeys = {
    CNNumberKeyEntry{u"Base", u"", Base},
    CNNumberKeyEntry{u"DecimalPlaces", u"D", DecimalPlaces},
    CNNumberKeyEntry{u"DecimalPointMoving", u"M", DecimalPointMoving},
    CNNumberKeyEntry{u"DecimalSymbol", u"DS", DecimalSymbol},
    CNNumberKeyEntry{u"Separator", u"S", Separator},
    CNNumberKeyEntry{u"SeparatorSymbol", u"SS", SeparatorSymbol},
    CNNumberKeyEntry{u"SeparatorGrouping", u"SG", SeparatorGrouping},
    CNNumberKeyEntry{u"PositiveSign", u"P", PositiveSign},
    CNNumberKeyEntry{u"NegativeSign", u"N", NegativeSign},
    CNNumberKeyEntry{u"NegativeNumberFormat", u"NF", NegativeNumberFormat},
    CNNumberKeyEntry{u"DisplayLeadingZero", u"DZ", DisplayLeadingZero},
    CNNumberKeyEntry{u"DisplayLength", u"L", DisplayLength},
    CNNumberKeyEntry{u"PaddingSymbol", u"PS", PaddingSymbol},
    CNNumberKeyEntry{u"Header", u"H", Header},
    CNNumberKeyEntry{u"Footer", u"F", Footer},
    CNNumberKeyEntry{u"QualityUncertain", u"QU", QualityUncertain},
    CNNumberKeyEntry{u"QualityBad", u"QB", QualityBad},
    CNNumberKeyEntry{u"QualityNA", u"QN", QualityNA},
    CNNumberKeyEntry{u"All", u"", All},
};

// Base: a whole number, optionally followed by "s" for small letters; only 2, 8, 10 and 16
// are bases, any other number gives 10.
void SetBase(CNNumberFormat& record, std::u16string_view text) {
  size_t used = 0;
  const int32_t base = ParseLeadingInt32(text, &used);
  record.base = base == 2 || base == 8 || base == 16 ? base : 10;
  record.smallLetters = record.base == 16 && used < text.size() && text[used] == u's';
}

// Header and footer write a blank as "$SP".
std::u16string BlanksIn(std::u16string_view text) {
  return ReplaceAll(text, u"$SP", u" ");
}
std::u16string BlanksOut(std::u16string_view text) {
  return ReplaceAll(text, u" ", u"$SP");
}

}  // namespace

std::span<const CNNumberKeyEntry> NumberFormatKeys() {
  return kKeys;
}

const CNNumberKeyEntry* FindNumberKey(std::u16string_view name) {
  for (const CNNumberKeyEntry& entry : kKeys)
    if (entry.name == name || (!entry.shortName.empty() && entry.shortName == name)) return &entry;
  return nullptr;
}

std::vector<int32_t> ReadGrouping(std::u16string_view text) {
  std::vector<int32_t> sizes;
  if (text.empty()) return sizes;
  for (size_t start = 0;;) {
    const size_t colon = text.find(u':', start);
    sizes.push_back(std::max(0, ReadWhole(text.substr(start, colon - start))));
    if (colon == std::u16string_view::npos) break;
    start = colon + 1;
  }
  return sizes;
}

std::u16string WriteGrouping(const std::vector<int32_t>& grouping) {
  std::u16string text;
  for (size_t i = 0; i < grouping.size(); ++i) {
    if (i) text += u':';
    text += WriteWhole(grouping[i]);
  }
  return text;
}

bool SetNumberKey(CNNumberFormat& record, std::u16string_view key, std::u16string_view value,
                  CNNumberFormatLookup* lookup) {
  const CNNumberKeyEntry* entry = FindNumberKey(key);
  if (!entry) return false;
  switch (entry->key) {
    case Base:
      SetBase(record, value);
      break;
    case DecimalPlaces:
      record.decimalPlaces = ReadWhole(value);
      break;
    case DecimalPointMoving:
      record.pointShift = ReadWhole(value);
      break;
    case DecimalSymbol:
      ReadSymbol(value, record.decimalSymbol);
      break;
    case Separator:
      record.separator = ReadTruth(value);
      break;
    case SeparatorSymbol:
      ReadSymbol(value, record.separatorSymbol);
      break;
    case SeparatorGrouping:
      record.grouping = ReadGrouping(value);
      break;
    case PositiveSign:
      record.positiveSign = value;
      break;
    case NegativeSign:
      record.negativeSign = value;
      break;
    case NegativeNumberFormat: {
      const int32_t order = ReadWhole(value);
      record.negativeFormat = order >= 0 && order <= 4 ? order : 1;
      break;
    }
    case DisplayLeadingZero:
      record.leadingZero = ReadTruth(value);
      break;
    case DisplayLength:
      record.displayLength = std::clamp(ReadWhole(value), 0, kMaxDisplayLength);
      break;
    case PaddingSymbol:
      ReadSymbol(value, record.paddingSymbol);
      break;
    case Header:
      record.header = BlanksIn(value);
      break;
    case Footer:
      record.footer = BlanksIn(value);
      break;
    case QualityUncertain:
      record.qualityUncertain = value;
      break;
    case QualityBad:
      record.qualityBad = value;
      break;
    case QualityNA:
      record.qualityNA = value;
      break;
    case All: {
      CNNumberFormat copy;
      if (!lookup || !lookup->ResolveNumberFormat(value, copy)) return false;
      record = std::move(copy);
      break;
    }
  }
  return true;
}

bool GetNumberKey(const CNNumberFormat& record, std::u16string_view key, std::u16string& value) {
  const CNNumberKeyEntry* entry = FindNumberKey(key);
  if (!entry) return false;
  switch (entry->key) {
    case Base:
      value = WriteWhole(record.base) + (record.smallLetters ? u"s" : u"");
      break;
    case DecimalPlaces:
      value = WriteWhole(record.decimalPlaces);
      break;
    case DecimalPointMoving:
      value = WriteWhole(record.pointShift);
      break;
    case DecimalSymbol:
      value = WriteSymbol(record.decimalSymbol);
      break;
    case Separator:
      value = WriteTruth(record.separator);
      break;
    case SeparatorSymbol:
      value = WriteSymbol(record.separatorSymbol);
      break;
    case SeparatorGrouping:
      value = WriteGrouping(record.grouping);
      break;
    case PositiveSign:
      value = record.positiveSign;
      break;
    case NegativeSign:
      value = record.negativeSign;
      break;
    case NegativeNumberFormat:
      value = WriteWhole(record.negativeFormat);
      break;
    case DisplayLeadingZero:
      value = WriteTruth(record.leadingZero);
      break;
    case DisplayLength:
      value = WriteWhole(record.displayLength);
      break;
    case PaddingSymbol:
      value = WriteSymbol(record.paddingSymbol);
      break;
    case Header:
      value = BlanksOut(record.header);
      break;
    case Footer:
      value = BlanksOut(record.footer);
      break;
    case QualityUncertain:
      value = record.qualityUncertain;
      break;
    case QualityBad:
      value = record.qualityBad;
      break;
    case QualityNA:
      value = record.qualityNA;
      break;
    case All:
      return false;
  }
  return true;
}
