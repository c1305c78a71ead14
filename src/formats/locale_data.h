#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The regional settings the "@LOCALE" formats are built from. The member defaults are the C
// locale's, used where a locale's own settings are not available.
struct CNLocaleNumbers {
  char16_t decimalSymbol = u'.';
  char16_t thousandSymbol = u',';
  int32_t negativeFormat = 1;  // the NegativeNumberFormat values 0 to 4
  bool leadingZero = true;
  std::u16string negativeSign = u"-";
};

// The names a date-time format shows: the C locale's by default.
struct CNDateNames {
  std::u16string am = u"AM";
  std::u16string pm = u"PM";
  // Sunday first, as the day of the week counts.
  std::array<std::u16string, 7> dayNames{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                         u"Thursday", u"Friday", u"Saturday"};
  std::array<std::u16string, 7> shortDayNames{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  std::array<std::u16string, 12> monthNames{u"January",   u"February", u"March",    u"April",
                                            u"May",       u"June",     u"July",     u"August",
                                            u"September", u"October",  u"November", u"December"};
  std::array<std::u16string, 12> shortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                 u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};

  friend bool operator==(const CNDateNames&, const CNDateNames&) = default;
};

struct CNLocaleDates {
  // The regional date and time in date-time format directives.
  std::u16string datePattern = u"%Y/%m/%d";
  std::u16string timePattern = u"%H:%M:%S";
  CNDateNames names;
};

struct CNLocaleData {
  std::u16string name;  // as asked for
  CNLocaleNumbers numbers;
  CNLocaleDates dates;
};

// The settings of a locale named like "de_DE", "de-DE" or "ja", from ICU's locale data. The
// names "C" and "POSIX", an empty name, and a locale ICU cannot open give the C settings.
CNLocaleData LoadLocaleData(std::u16string_view locale);

// The machine's regional setting: the first of LC_ALL, LC_NUMERIC and LANG that is set, without
// its encoding and modifier ("de_DE.UTF-8@euro" gives "de_DE"); "C" when none is.
std::u16string MachineLocaleName();

// An ICU date pattern ("dd.MM.y", "h:mm:ss a") in date-time format directives.
std::u16string DirectivesFromIcuPattern(std::u16string_view pattern);
