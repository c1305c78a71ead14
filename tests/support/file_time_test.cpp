#include "support/file_time.h"

#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

namespace {

constexpr FileTime kEndTicks = 9'223'149'888'000'000'000ULL;  // 30828-01-01 00:00:00 UTC

CRCalendarTime Calendar(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                        int ms = 0) {
  return {year, month, 0, day, hour, minute, second, ms};  // dayOfWeek is ignored as input
}

void UseZone(const char* zone) {
  setenv("TZ", zone, 1);
  tzset();
}

TEST(FileTimeCalendar, ValidityFollowsTheGregorianCalendarAndTheRange) {
  EXPECT_TRUE(IsValidCalendarTime(Calendar(30827, 12, 31, 23, 59, 59, 999)));
  // clang-format off
  const CRCalendarTime invalid[] = {
      Calendar(1600, 12, 31), Calendar(30828, 1, 1), Calendar(1900, 2, 29), Calendar(2023, 4, 31),
      Calendar(2023, 0, 1), Calendar(2023, 13, 1), Calendar(2023, 1, 0), Calendar(2023, 1, 1, 24),
      Calendar(2023, 1, 1, 0, 60), Calendar(2023, 1, 1, 0, 0, 60), Calendar(2023, 1, 1, 0, 0, 0, 1000),
      Calendar(2023, 1, 1, -1),
  };
  // clang-format on
  for (const CRCalendarTime& t : invalid) {
    FileTime ft = 7;
    EXPECT_FALSE(IsValidCalendarTime(t) || UtcCalendarToFileTime(t, ft) || LocalCalendarToFileTime(t, ft))
        << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute;
  }
}

TEST(FileTimeCalendar, UtcGoldenVectorsConvertBothWays) {
  struct Case {
    FileTime ticks;
    CRCalendarTime calendar;
  };
  const Case cases[] = {
      {0, {.year = 1601, .month = 1, .dayOfWeek = 1, .day = 1}},
      {kUnixEpochTicks, {.year = 1970, .month = 1, .dayOfWeek = 4, .day = 1}},
      {125'963'423'999'990'000ULL, {2000, 2, 2, 29, 23, 59, 59, 999}},
      {132'707'509'572'500'000ULL, {2021, 7, 3, 14, 15, 42, 37, 250}},
      {kEndTicks - kTicksPerMillisecond, {30827, 12, 5, 31, 23, 59, 59, 999}},
  };
  for (const Case& c : cases) {
    CRCalendarTime t;
    FileTime back = 0;
    EXPECT_TRUE(FileTimeToUtcCalendar(c.ticks + 9'999, t) && t == c.calendar) << c.ticks;
    EXPECT_TRUE(UtcCalendarToFileTime(c.calendar, back) && back == c.ticks) << c.ticks;
  }
  const CRCalendarTime untouched = Calendar(2000, 1, 1);
  for (FileTime ticks : {kEndTicks, FileTime{1} << 63, ~FileTime{0}}) {
    CRCalendarTime t = untouched;
    EXPECT_FALSE(FileTimeToUtcCalendar(ticks, t) || FileTimeToLocalCalendar(ticks, t)) << ticks;
    EXPECT_EQ(t, untouched);
  }
}

// The C library's gmtime is an independent reference over the whole range.
TEST(FileTimeCalendar, AgreesWithGmtimeAcrossTheWholeRange) {
  uint64_t state = 0x9E3779B97F4A7C15ULL;
  for (int i = 0; i < 20'000; ++i) {
    state = state * 6'364'136'223'846'793'005ULL + 1'442'695'040'888'963'407ULL;
    const FileTime ticks = (state >> 1) % kEndTicks;
    const time_t seconds = static_cast<time_t>(ticks / kTicksPerSecond) - 11'644'473'600;
    tm r{};
    ASSERT_NE(gmtime_r(&seconds, &r), nullptr);
    CRCalendarTime t;
    FileTime back = 0;
    ASSERT_TRUE(FileTimeToUtcCalendar(ticks, t));
    ASSERT_EQ(t, (CRCalendarTime{r.tm_year + 1900, r.tm_mon + 1, r.tm_wday, r.tm_mday, r.tm_hour, r.tm_min,
                                 r.tm_sec, static_cast<int>(ticks / kTicksPerMillisecond % 1000)}))
        << ticks;
    ASSERT_TRUE(UtcCalendarToFileTime(t, back));
    ASSERT_EQ(back, ticks - ticks % kTicksPerMillisecond);
  }
}

TEST(FileTimeLocal, FollowsTheZoneItsDaylightSavingAndTheRange) {
  UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
  const std::pair<CRCalendarTime, CRCalendarTime> localAndUtc[] = {
      {Calendar(2021, 1, 15, 12, 0, 0, 5), Calendar(2021, 1, 15, 11, 0, 0, 5)},
      {Calendar(2021, 7, 1, 0, 30), Calendar(2021, 6, 30, 22, 30)},
      {Calendar(2021, 3, 28, 1, 59, 59), Calendar(2021, 3, 28, 0, 59, 59)},
      {Calendar(2021, 3, 28, 3, 0), Calendar(2021, 3, 28, 1, 0)},
      {Calendar(1601, 1, 1, 1, 0), Calendar(1601, 1, 1)},
  };
  for (const auto& [local, utc] : localAndUtc) {
    FileTime fromLocal = 0;
    FileTime fromUtc = 0;
    CRCalendarTime back;
    ASSERT_TRUE(LocalCalendarToFileTime(local, fromLocal) && UtcCalendarToFileTime(utc, fromUtc));
    EXPECT_EQ(fromLocal, fromUtc) << local.month << "/" << local.day << " " << local.hour;
    ASSERT_TRUE(FileTimeToLocalCalendar(fromUtc, back));
    back.dayOfWeek = 0;
    EXPECT_EQ(back, local);
  }
  CRCalendarTime t;
  FileTime ft = 0;
  EXPECT_FALSE(LocalCalendarToFileTime(Calendar(1601, 1, 1, 0, 30), ft));  // before tick 0
  EXPECT_FALSE(FileTimeToLocalCalendar(kEndTicks - kTicksPerSecond, t));   // local year 30828

  UseZone("EST5");
  EXPECT_FALSE(FileTimeToLocalCalendar(0, t));                             // local year 1600
  EXPECT_FALSE(LocalCalendarToFileTime(Calendar(30827, 12, 31, 19), ft));  // past the last tick
  ASSERT_TRUE(LocalCalendarToFileTime(Calendar(30827, 12, 31, 18, 59, 59, 999), ft));
  EXPECT_EQ(ft, kEndTicks - kTicksPerMillisecond);
}

TEST(FileTimeClock, CurrentTimeMatchesTheSystemClockAndTickCountAdvances) {
  const FileTime before = static_cast<FileTime>(time(nullptr)) * kTicksPerSecond + kUnixEpochTicks;
  const FileTime now = CurrentFileTime();
  EXPECT_GE(now, before);
  EXPECT_LT(now, static_cast<FileTime>(time(nullptr) + 1) * kTicksPerSecond + kUnixEpochTicks);

  const uint32_t start = CRTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const uint32_t elapsed = CRTickCount() - start;  // unsigned: right across the 32-bit wrap too
  EXPECT_GE(elapsed, 29u);
  EXPECT_LT(elapsed, 5'000u);
}

}  // namespace
