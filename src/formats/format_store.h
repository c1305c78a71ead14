#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/blink_formats.h"
#include "formats/datetime_formats.h"
#include "formats/locale_data.h"
#include "formats/number_format.h"
#include "formats/number_formats.h"
#include "support/critical_handle.h"
#include "support/file_time.h"

// The number, date-time and blink formats of the running project, and the regional settings
// "@LOCALE" is built from. Every member locks the store, so any thread may format.
class CNFormatStore : public CRCriticalHandle {
 public:
  // The default formats under the machine's regional settings.
  CNFormatStore() : CNFormatStore(std::u16string_view{}) {}
  // The default formats under the regional settings of `language` (empty: the machine's).
  explicit CNFormatStore(std::u16string_view language);

  // The store the format objects and the built-in methods use.
  static CNFormatStore& Global();

  // ---- regional settings
  // A locale name such as "de_DE" or "ja-JP"; empty for the machine's. When the settings change,
  // the number and date-time formats are rebuilt from the texts they were last loaded from, so
  // every format that copies "@LOCALE" follows, and the cache is emptied.
  void SetLanguage(std::u16string_view language);
  // The locale the settings come from ("C" when the machine has none).
  std::u16string GetLanguage() const;

  // ---- loading: the built-in default text, then the project's own text
  void LoadNumberFormats(std::u16string_view projectText);
  void LoadDateTimeFormats(std::u16string_view projectText);
  void LoadBlinkFormats(std::u16string_view projectText);

  // ---- number formats
  // The text of a value under a format string; empty when the string names no format. See
  // FormatNumber for the quality arguments; decimalPlaces below 0 takes the format's.
  std::u16string Format(std::u16string_view formatString, int32_t qualityCode, bool notAvailable,
                        double value, int32_t qualityState, int32_t decimalPlaces);
  void Format(std::u16string_view formatString, int32_t qualityCode, bool notAvailable, double value,
              int32_t qualityState, int32_t decimalPlaces, std::u16string& out);
  // kParseOk with the value, or kParseNoNumber when the text is empty or holds no number, or
  // the string names no format.
  int Parse(std::u16string_view formatString, std::u16string_view text, double& value);
  bool ResolveNumberFormat(std::u16string_view formatString, CNNumberFormat& out);
  // SetNumberKey with "All" resolved among these formats.
  bool SetNumberKey(CNNumberFormat& record, std::u16string_view key, std::u16string_view value);
  // The format string that makes `record` from the named format baseName; empty when there is
  // no format of that name.
  std::u16string WriteNumberFormatString(const CNNumberFormat& record, std::u16string_view baseName);
  std::vector<std::u16string> GetUserNumberFormatNames() const;
  // The user formats as format file sections, in the order of their names.
  std::vector<std::u16string> GetUserNumberFormatSections() const;
  size_t GetNumberCacheSize() const;

  // ---- date-time formats
  // Empty when the string names no format or the time is out of range.
  std::u16string FormatTime(std::u16string_view formatString, FileTime ticks);
  bool ParseTime(std::u16string_view formatString, std::u16string_view text, FileTime& out);
  bool ResolveDateTimeFormat(std::u16string_view formatString, CNDateTimeFormat& out);
  std::vector<std::u16string> GetUserDateTimeFormatNames() const;

  // ---- blink formats
  bool GetBlinkFormat(std::u16string_view name, CNBlinkFormat& out) const;
  bool SetBlinkFormat(std::u16string_view name, const CNBlinkFormat& record);
  std::vector<std::u16string> GetBlinkFormatNames() const;

 private:
  std::u16string m_strLanguage;  // as set; empty for the machine's
  CNLocaleData m_regional;
  std::u16string m_strNumberText;  // the project texts last loaded
  std::u16string m_strDateTimeText;
  CNNumberFormats m_numbers;
  CNDateTimeFormats m_dateTimes;
  CNBlinkFormats m_blinks;
};
