#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One named number format: how a number becomes text and a text becomes a number again.
struct CNNumberFormat {
  int32_t base = 10;           // 2, 8, 10 or 16
  bool smallLetters = false;   // base 16 with a to f
  int32_t decimalPlaces = -1;  // negative: as many as needed
  int32_t pointShift = 0;      // the value is multiplied by base to this power before printing
  char16_t decimalSymbol = u'.';
  bool separator = false;  // digit grouping
  char16_t separatorSymbol = u',';
  std::vector<int32_t> grouping{3};  // from the decimal point leftwards; the last repeats; 0 stops
  std::u16string positiveSign;
  std::u16string negativeSign = u"-";
  int32_t negativeFormat = 1;  // 0 "(1)", 1 "-1", 2 "- 1", 3 "1-", 4 "1 -"
  bool leadingZero = true;
  int32_t displayLength = 0;  // minimum length of the digits, 0 to kMaxDisplayLength
  char16_t paddingSymbol = u'0';
  std::u16string header;
  std::u16string footer;
  std::u16string qualityUncertain;
  std::u16string qualityBad;  // "$VALUE": bad values are printed anyway
  std::u16string qualityNA;

  friend bool operator==(const CNNumberFormat&, const CNNumberFormat&) = default;
};

inline constexpr int32_t kMaxDisplayLength = 999;
inline constexpr std::u16string_view kQualityShowValue = u"$VALUE";

// The keys of a number format record, in the order they are listed and written.
enum class CNNumberKey {
  Base,
  DecimalPlaces,
  DecimalPointMoving,
  DecimalSymbol,
  Separator,
  SeparatorSymbol,
  SeparatorGrouping,
  PositiveSign,
  NegativeSign,
  NegativeNumberFormat,
  DisplayLeadingZero,
  DisplayLength,
  PaddingSymbol,
  Header,
  Footer,
  QualityUncertain,
  QualityBad,
  QualityNA,
  All,  // replaces the whole record by a copy of the one a format string names
};

struct CNNumberKeyEntry {
  std::u16string_view name;
  std::u16string_view shortName;  // empty: none
  CNNumberKey key;
};

// Every key with its short form; All is last.
std::span<const CNNumberKeyEntry> NumberFormatKeys();
// Long or short name, exact case; null when unknown.
const CNNumberKeyEntry* FindNumberKey(std::u16string_view name);

// Where "All" finds the record a format string names.
class CNNumberFormatLookup {
 public:
  virtual ~CNNumberFormatLookup() = default;
  virtual bool ResolveNumberFormat(std::u16string_view formatString, CNNumberFormat& out) = 0;
};

// Sets one key from its value text. An unknown key, or "All" naming no format (or without a
// lookup), is refused and changes nothing.
bool SetNumberKey(CNNumberFormat& record, std::u16string_view key, std::u16string_view value,
                  CNNumberFormatLookup* lookup);
// The value text of one key, in the syntax SetNumberKey reads; false for an unknown key or "All".
bool GetNumberKey(const CNNumberFormat& record, std::u16string_view key, std::u16string& value);

// "3:2:0" and back.
std::vector<int32_t> ReadGrouping(std::u16string_view text);
std::u16string WriteGrouping(const std::vector<int32_t>& grouping);
