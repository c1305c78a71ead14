#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "formats/datetime_format.h"
#include "formats/locale_data.h"

// The named date-time formats of a project. A date-time format string is read like a number
// format string: "@NAME", then optionally "." and a Base pattern that replaces the record's,
// then optionally "<" key-value pairs ">". An empty string means "@DATETIME". Resolution is
// cheap and nothing is cached. Not thread-safe on its own: the format store locks around it.
class CNDateTimeFormats : public CNDateTimeFormatContext {
 public:
  static constexpr std::u16string_view kDefaultName = u"@DATETIME";
  static constexpr std::u16string_view kLocaleName = u"@LOCALE";

  CNDateTimeFormats() = default;
  CNDateTimeFormats(const CNDateTimeFormats&) = delete;
  CNDateTimeFormats& operator=(const CNDateTimeFormats&) = delete;

  // Rebuilds every named format: "@LOCALE" from the regional settings (Base "DT"), then the
  // default text followed by the project's text.
  void Load(std::u16string_view projectText, const CNLocaleDates& regional);

  bool ResolveDateTimeFormat(std::u16string_view formatString, CNDateTimeFormat& out) override;
  const CNLocaleDates& RegionalDates() const override { return m_regional; }
  const std::vector<std::u16string>& GetUserFormatNames() const { return m_userNames; }

 private:
  CNLocaleDates m_regional;
  std::map<std::u16string, CNDateTimeFormat, std::less<>> m_named;
  std::vector<std::u16string> m_userNames;
  int m_nDepth = 0;  // "All" inside a format string resolves another one
};
