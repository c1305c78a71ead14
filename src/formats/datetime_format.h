#pragma once

#include <string>
#include <string_view>

#include "formats/locale_data.h"

// One named date-time format. `format` is what prints: text with "%" directives (see
// FormatDateTime). `base` is the short pattern it is usually built from; setting it rebuilds
// `format`.
struct CNDateTimeFormat {
  std::u16string base;
  std::u16string format;
  std::u16string timeZone;      // empty: the machine's zone; else "UTC", a zone id or a Windows name
  std::u16string dst;           // shown by %(DST) while daylight saving time is in force
  std::u16string dtSep = u" ";  // between the date and the time of the word DT
  CNDateNames names;

  friend bool operator==(const CNDateTimeFormat&, const CNDateTimeFormat&) = default;
};

// What setting keys needs beyond the record: the regional date and time patterns that the
// words D and T stand for, and the format that "All" copies.
class CNDateTimeFormatContext {
 public:
  virtual ~CNDateTimeFormatContext() = default;
  virtual const CNLocaleDates& RegionalDates() const = 0;
  virtual bool ResolveDateTimeFormat(std::u16string_view formatString, CNDateTimeFormat& out) = 0;
};

// Base pattern to directives. Words first, longest first: "DST" %(DST), "UTC" %(UTC), "DT" the
// regional date, %(DTSep) and the regional time, "MS" %f, "D" the regional date, "T" the
// regional time; then letters: y %Y, m %m, d %d, H %H, M %M, S %S, h %I, p %p, w %a, W %A,
// b %b, B %B. A "%" becomes "%%"; every other character stands as it is.
std::u16string ExpandDateTimeBase(std::u16string_view base, const CNLocaleDates& regional);

// Keys: Base, Format, TimeZone ("TZ"), AM, PM, DST, DTSep, Monday to Sunday, ShortMonday to
// ShortSunday, January to December, ShortJanuary to ShortDecember, and All. "$RET$" in a value
// is a line break. Unknown keys, and All naming no format, are refused and change nothing.
bool SetDateTimeKey(CNDateTimeFormat& record, std::u16string_view key, std::u16string_view value,
                    CNDateTimeFormatContext& context);
bool GetDateTimeKey(const CNDateTimeFormat& record, std::u16string_view key, std::u16string& value);
