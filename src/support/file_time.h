#pragma once

#include <cstdint>

// Times travel as Windows FILETIME: 100-ns ticks since 1601-01-01 00:00:00 UTC.
using FileTime = uint64_t;

inline constexpr uint64_t kTicksPerMillisecond = 10'000;
inline constexpr uint64_t kTicksPerSecond = 10'000'000;
inline constexpr uint64_t kTicksPerDay = 86'400 * kTicksPerSecond;
// Ticks from 1601-01-01 to the Unix epoch 1970-01-01.
inline constexpr uint64_t kUnixEpochTicks = 116'444'736'000'000'000ULL;

// Broken-down calendar time (the layout of a Windows SYSTEMTIME).
struct CRCalendarTime {
  int year = 1601;
  int month = 1;      // 1..12
  int dayOfWeek = 0;  // 0 = Sunday; filled by the conversions, ignored as input
  int day = 1;        // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;

  friend bool operator==(const CRCalendarTime&, const CRCalendarTime&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12
// Year 1601..30827, month, day within the month, hour < 24, minute and second < 60, ms < 1000.
bool IsValidCalendarTime(const CRCalendarTime& t);

// UTC conversions: exact, no time zone. Return false for times outside the FILETIME range.
bool FileTimeToUtcCalendar(FileTime ft, CRCalendarTime& out);
bool UtcCalendarToFileTime(const CRCalendarTime& t, FileTime& out);

// Local conversions through the machine's time zone (TZ is respected). A local time that
// falls into a daylight-saving gap is moved forward as the C library's mktime does.
bool FileTimeToLocalCalendar(FileTime ft, CRCalendarTime& out);
bool LocalCalendarToFileTime(const CRCalendarTime& t, FileTime& out);

// The current time as FILETIME (CLOCK_REALTIME).
FileTime CurrentFileTime();
// Milliseconds of a monotonic clock, wrapping at 32 bits like a Windows tick count.
uint32_t CRTickCount();
