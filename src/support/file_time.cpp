#include "support/file_time.h"

#include <time.h>

#include <cstdint>

// The calendar range is 1601-01-01 00:00:00.000 through 30827-12-31 23:59:59.999, the years a
// calendar time may carry. Every tick count below kEndTicks (all of them below 2^63) has a
// calendar, and every valid calendar time has a tick count, so conversions round-trip exactly.
// The UTC side is pure proleptic Gregorian arithmetic; only the local side asks the C library.

namespace {

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
constexpr int64_t kSecondsPerDay = 86'400;
constexpr int64_t kUnixEpochSeconds = static_cast<int64_t>(kUnixEpochTicks / kTicksPerSecond);

// Days from 1601-01-01 to the given proleptic Gregorian date (any year >= 1).
int64_t DaysFromCivil(int64_t year, int month, int day) {
  // Years counted from March so that the leap day ends the year.
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t era = y / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  // 1600-03-01 starts era 4; 1601-01-01 is day 306 of that era.
  return (era - 4) * 146'097 + dayOfEra - 306;
}

// Inverse of DaysFromCivil for days >= 0.
void CivilFromDays(int64_t days, CRCalendarTime& out) {
  const int64_t shifted = days + 306;  // days since 1600-03-01
  const int64_t era = shifted / 146'097;
  const int64_t dayOfEra = shifted - era * 146'097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  out.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  out.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  out.year = static_cast<int>(1600 + era * 400 + yearOfEra + (out.month <= 2 ? 1 : 0));
  // 1601-01-01 was a Monday.
  out.dayOfWeek = static_cast<int>((days + 1) % 7);
}

const int64_t kEndDays = DaysFromCivil(kLastYear + 1, 1, 1);
const uint64_t kEndTicks = static_cast<uint64_t>(kEndDays) * kTicksPerDay;

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidCalendarTime(const CRCalendarTime& t) {
  return t.year >= kFirstYear && t.year <= kLastYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 &&
         t.minute < 60 && t.second >= 0 && t.second < 60 && t.millisecond >= 0 && t.millisecond < 1000;
}

bool FileTimeToUtcCalendar(FileTime ft, CRCalendarTime& out) {
  if (ft >= kEndTicks) return false;
  CivilFromDays(static_cast<int64_t>(ft / kTicksPerDay), out);
  const uint64_t msOfDay = ft % kTicksPerDay / kTicksPerMillisecond;
  out.hour = static_cast<int>(msOfDay / 3'600'000);
  out.minute = static_cast<int>(msOfDay / 60'000 % 60);
  out.second = static_cast<int>(msOfDay / 1'000 % 60);
  out.millisecond = static_cast<int>(msOfDay % 1'000);
  return true;
}

bool UtcCalendarToFileTime(const CRCalendarTime& t, FileTime& out) {
  if (!IsValidCalendarTime(t)) return false;
  const int64_t seconds =
      DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3'600 + t.minute * 60 + t.second;
  out = static_cast<uint64_t>(seconds) * kTicksPerSecond +
        static_cast<uint64_t>(t.millisecond) * kTicksPerMillisecond;
  return true;
}

bool FileTimeToLocalCalendar(FileTime ft, CRCalendarTime& out) {
  if (ft >= kEndTicks) return false;
  const time_t unixSeconds =
      static_cast<time_t>(static_cast<int64_t>(ft / kTicksPerSecond) - kUnixEpochSeconds);
  tm local{};
  if (localtime_r(&unixSeconds, &local) == nullptr) return false;
  CRCalendarTime result;
  result.year = local.tm_year + 1900;
  result.month = local.tm_mon + 1;
  result.dayOfWeek = local.tm_wday;
  result.day = local.tm_mday;
  result.hour = local.tm_hour;
  result.minute = local.tm_min;
  result.second = local.tm_sec;
  result.millisecond = static_cast<int>(ft % kTicksPerSecond / kTicksPerMillisecond);
  // Near either end of the range the local date can fall outside it (and a leap-second zone
  // can report second 60); such times have no local calendar.
  if (local.tm_year > kLastYear - 1900 || !IsValidCalendarTime(result)) return false;
  out = result;
  return true;
}

bool LocalCalendarToFileTime(const CRCalendarTime& t, FileTime& out) {
  if (!IsValidCalendarTime(t)) return false;
  tm local{};
  local.tm_year = t.year - 1900;
  local.tm_mon = t.month - 1;
  local.tm_mday = t.day;
  local.tm_hour = t.hour;
  local.tm_min = t.minute;
  local.tm_sec = t.second;
  local.tm_isdst = -1;
  // mktime returns -1 both for failure and for one second before the epoch; a failed call
  // leaves tm_wday untouched.
  local.tm_wday = -1;
  const time_t unixSeconds = mktime(&local);
  if (unixSeconds == static_cast<time_t>(-1) && local.tm_wday == -1) return false;
  const int64_t seconds = static_cast<int64_t>(unixSeconds) + kUnixEpochSeconds;
  if (seconds < 0 || seconds >= kEndDays * kSecondsPerDay) return false;
  out = static_cast<uint64_t>(seconds) * kTicksPerSecond +
        static_cast<uint64_t>(t.millisecond) * kTicksPerMillisecond;
  return true;
}

FileTime CurrentFileTime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const int64_t seconds = static_cast<int64_t>(now.tv_sec) + kUnixEpochSeconds;
  if (seconds < 0) return 0;
  return static_cast<uint64_t>(seconds) * kTicksPerSecond + static_cast<uint64_t>(now.tv_nsec) / 100;
}

uint32_t CRTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms =
      static_cast<uint64_t>(now.tv_sec) * 1'000 + static_cast<uint64_t>(now.tv_nsec) / 1'000'000;
  return static_cast<uint32_t>(ms);
}
