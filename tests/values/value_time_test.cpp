#include "values/value_time.h"

#include <gtest/gtest.h>
#include <time.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "values/value_test_util.h"

namespace {

constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

CRCalendarTime Calendar(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                        int ms = 0) {
  return {year, month, 0, day, hour, minute, second, ms};  // dayOfWeek is ignored as input
}

FileTime Utc(const CRCalendarTime& t) {
  FileTime ft = 0;
  EXPECT_TRUE(UtcCalendarToFileTime(t, ft));
  return ft;
}

std::string Narrow(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

// Every test runs in a pinned zone: UTC, so that local and UTC calendars agree, unless it picks another;
// the zone the suite started in comes back after each test.
class ValueTimeTest : public ::testing::Test {
 protected:
  ScopedTimeZone m_pinned{"UTC0"};
  static void UseZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
};

TEST_F(ValueTimeTest, TimeTextPrintsLocalTimeWithUnpaddedMilliseconds) {
  const FileTime noon = Utc(Calendar(2021, 7, 14, 12));
  const std::tuple<const char*, FileTime, std::u16string_view> cases[] = {
      {"UTC0", kUnixEpochTicks, u"1970/01/01 00:00:00"},
      {"UTC0", noon + 5 * kTicksPerMillisecond, u"2021/07/14 12:00:00.5"},
      {"UTC0", noon + 10 * kTicksPerMillisecond, u"2021/07/14 12:00:00.10"},
      {"UTC0", noon + 123 * kTicksPerMillisecond + 9'999, u"2021/07/14 12:00:00.123"},
      {"UTC0", noon + 9'999, u"2021/07/14 12:00:00"},
      {"UTC0", Utc(Calendar(12345, 6, 7, 8, 9, 10)), u"12345/06/07 08:09:10"},
      {kCentralEurope, noon, u"2021/07/14 14:00:00"},
      {kCentralEurope, Utc(Calendar(2021, 1, 31, 23, 30)), u"2021/02/01 00:30:00"},
      {"EST5", 0, u"1601/01/01 00:00:00"},             // no local calendar: the UTC one
      {"UTC0", ~FileTime{0}, u"0000/00/00 00:00:00"},  // beyond the range: no date at all
  };
  for (const auto& [zone, ticks, text] : cases) {
    UseZone(zone);
    EXPECT_EQ(TimeText(ticks, false), text) << ticks;
    EXPECT_EQ(TimeText(ticks, true), u"#" + std::u16string(text) + u"#") << ticks;
  }
}

TEST_F(ValueTimeTest, TimeTextParsesBackToTheSameTime) {
  for (const char* zone : {"UTC0", kCentralEurope}) {
    UseZone(zone);
    uint64_t state = 12345;
    for (int i = 0; i < 2'000; ++i) {
      state = state * 6'364'136'223'846'793'005ULL + 1'442'695'040'888'963'407ULL;
      const FileTime ticks = (state >> 1) % Utc(Calendar(30000, 1, 1));
      for (bool delimiters : {false, true}) {
        const std::u16string text = TimeText(ticks, delimiters);
        FileTime parsed = 0;
        ASSERT_TRUE(ParseTimeLiteral(text, parsed)) << zone << " " << ticks;
        // In the hour repeated when daylight saving ends one text names two instants.
        EXPECT_EQ(TimeText(parsed, delimiters), text);
        EXPECT_TRUE(zone != std::string("UTC0") || parsed == ticks - ticks % kTicksPerMillisecond);
      }
    }
  }
}

TEST_F(ValueTimeTest, LiteralsReadAbsoluteLocalTimesAndWords) {
  const std::pair<std::u16string_view, CRCalendarTime> cases[] = {
      {u"2021/07/14", Calendar(2021, 7, 14)},
      {u"#2021-7-4#", Calendar(2021, 7, 4)},
      {u"2021/07/14   9:05", Calendar(2021, 7, 14, 9, 5)},
      {u"#2021/07/14 23:59:59.999#", Calendar(2021, 7, 14, 23, 59, 59, 999)},
      {u"2021/07/14 00:00:00.050", Calendar(2021, 7, 14, 0, 0, 0, 50)},
      {u"30827/12/31 23:59:59.5", Calendar(30827, 12, 31, 23, 59, 59, 5)},
      {u"#PAST#", Calendar(2000, 1, 1)},
      {u"Future", Calendar(2999, 1, 1)},
  };
  for (const auto& [text, utc] : cases) {
    FileTime ft = 0;
    EXPECT_TRUE(ParseTimeLiteral(text, ft) && ft == Utc(utc)) << Narrow(text);
  }
  UseZone(kCentralEurope);
  FileTime ft = 0;
  EXPECT_TRUE(ParseTimeLiteral(u"#2021/07/14 12:00:00#", ft) && ft == Utc(Calendar(2021, 7, 14, 10)));
  EXPECT_TRUE(ParseTimeLiteral(u"past", ft) && ft == Utc(Calendar(1999, 12, 31, 23)));
  // "now", a time alone and relative expressions read the current local time.
  const FileTime before = CurrentFileTime();
  ASSERT_TRUE(ParseTimeLiteral(u"#Now#", ft));
  EXPECT_TRUE(ft >= before && ft <= CurrentFileTime());
  ASSERT_TRUE(ParseTimeLiteral(u"7:05:09.25", ft));
  EXPECT_EQ(TimeText(ft, false).substr(10), u" 07:05:09.25");
  ASSERT_TRUE(ParseTimeLiteral(u"#day-1d#", ft));
  EXPECT_EQ(TimeText(ft, false).substr(10), u" 00:00:00");
  EXPECT_LE(CurrentFileTime() - ft, 2 * kTicksPerDay);
}

TEST_F(ValueTimeTest, MalformedLiteralsFailWithZero) {
  // clang-format off
  const std::u16string_view cases[] = {
      u"", u"#", u"##", u"###", u"#day", u"day#", u"# day#", u"#2021/07/14", u"nowx", u"futur", u"+1d",
      u"2021", u"2021/07", u"2021/07/14 ", u"2021/07/14T10:00", u"2021/07-14", u"2021.07.14", u"2021/07/14 10",
      u"2021/07/14 10:00:", u"2021/07/14 10:00:00:00", u"2021/007/14", u"123456/01/01", u"10", u"1:2:3:4",
      u"99999999999999999999/01/01", u"2021/13/01", u"2021/02/29", u"2021/04/31", u"2021/07/00",
      u"2021/07/14 24:00", u"2021/07/14 10:60", u"2021/07/14 10:00:60", u"1600/12/31", u"30828/01/01",
      u"2021/07/14 10:00:00.", u"2021/07/14 10:00:00.1000", u"2021/07/14 10:00:00.0005", u"2021/07/14 10:00.5",
      u"2021/07/14 10:00:00.-1", u"2021/07/14 10:00:00.5.5", u"2021/07/14.5", u"\u00e4day", u"day\u00e4",
  };
  // clang-format on
  for (std::u16string_view text : cases) {
    FileTime ft = 12345;
    EXPECT_FALSE(ParseTimeLiteral(text, ft)) << Narrow(text);
    EXPECT_EQ(ft, 0u) << Narrow(text);
  }
}

// Wednesday 2021-07-14 15:42:37.250, the base unless a case names another.
const CRCalendarTime kBase = Calendar(2021, 7, 14, 15, 42, 37, 250);

struct RelativeCase {
  std::u16string_view expression;
  std::optional<CRCalendarTime> result;  // nullopt: the expression fails
  CRCalendarTime base = kBase;
};

TEST_F(ValueTimeTest, RelativeExpressionsFollowEveryRule) {
  // clang-format off
  const RelativeCase cases[] = {
      // Heads, matched as prefixes in any case.
      {u"now", kBase}, {u"SECOND", kBase}, {u"minute", Calendar(2021, 7, 14, 15, 42)},
      {u"Hour", Calendar(2021, 7, 14, 15)}, {u"month", Calendar(2021, 7, 1)}, {u"yEaR", Calendar(2021, 1, 1)},
      {u"WEEK", Calendar(2021, 7, 11)}, {u"week", Calendar(2021, 12, 26), Calendar(2022, 1, 1, 12)},
      {u"week", Calendar(2021, 7, 11), Calendar(2021, 7, 11, 8)},
      {u"", std::nullopt}, {u"da", std::nullopt}, {u"days", std::nullopt}, {u" day", std::nullopt},
      // Every unit, spaces anywhere after the head.
      {u"day-1d", Calendar(2021, 7, 13)}, {u"month + 1mo", Calendar(2021, 8, 1)},
      {u"year-1y", Calendar(2020, 1, 1)}, {u"week-2w", Calendar(2021, 6, 27)},
      {u"now-90S", Calendar(2021, 7, 14, 15, 41, 7, 250)}, {u"hour-1h+30m", Calendar(2021, 7, 14, 14, 30)},
      {u"now+1Mo-1m", Calendar(2021, 8, 14, 15, 41, 37, 250)}, {u"day  -  1  d + 2 h", Calendar(2021, 7, 13, 2)},
      // The sign stays in force; skipped characters; numbers or signs left at the end.
      {u"day+1d2h", Calendar(2021, 7, 15, 2)}, {u"day-1d2h", Calendar(2021, 7, 12, 22)},
      {u"day+2.d", Calendar(2021, 7, 16)}, {u"day+1d+5", Calendar(2021, 7, 15)}, {u"day-", Calendar(2021, 7, 14)},
      {u"day+0 2d", Calendar(2021, 7, 16)}, {u"day+0d", std::nullopt},  // a zero is no number
      // Failure rules of the terms.
      {u"day1d", std::nullopt}, {u"dayd", std::nullopt}, {u"day+-1d", std::nullopt}, {u"day--1d", std::nullopt},
      {u"day+1-2d", std::nullopt}, {u"day+1 2d", std::nullopt}, {u"day+1.5d", std::nullopt},
      {u"day+1d x", std::nullopt}, {u"now+1m o", std::nullopt},
      // Month and year arithmetic across year ends; days that do not exist fail.
      {u"month+1mo", Calendar(2022, 1, 1), Calendar(2021, 12, 15)},
      {u"now-1mo", Calendar(2020, 12, 15), Calendar(2021, 1, 15)},
      {u"now+18mo", Calendar(2023, 1, 14, 15, 42, 37, 250)}, {u"now+17mo", Calendar(2022, 12, 14, 15, 42, 37, 250)},
      {u"now-7mo", Calendar(2020, 12, 14, 15, 42, 37, 250)}, {u"now-30mo", Calendar(2019, 1, 14, 15, 42, 37, 250)},
      {u"now+1mo", std::nullopt, Calendar(2021, 1, 31)}, {u"now+2mo", Calendar(2021, 3, 31), Calendar(2021, 1, 31)},
      {u"now-1mo", std::nullopt, Calendar(2021, 3, 31)}, {u"now+1y", std::nullopt, Calendar(2024, 2, 29)},
      {u"now+4y", Calendar(2028, 2, 29), Calendar(2024, 2, 29)}, {u"now-1y+1y", std::nullopt, Calendar(2024, 2, 29)},
      {u"now-2021y", std::nullopt}, {u"year-420y", Calendar(1601, 1, 1)}, {u"year-421y", std::nullopt},
      {u"year+28806y", Calendar(30827, 1, 1)}, {u"year+28807y", std::nullopt},
      {u"now+99999999999999999999y", std::nullopt}, {u"now-99999999999999999999mo", std::nullopt},
      {u"now-1s", std::nullopt, Calendar(1601, 1, 1)}, {u"week", std::nullopt, Calendar(1601, 1, 2)},
      // Spans: 3,615,897 days at most; twenty digits saturate at 2^31 - 1.
      {u"day+3615897d", Calendar(11920, 12, 29), Calendar(2021, 1, 1)},
      {u"day+86781528h", Calendar(11920, 12, 29), Calendar(2021, 1, 1)},
      {u"day+516556w", Calendar(11920, 12, 24), Calendar(2021, 1, 1)},
      {u"now+3615898d", std::nullopt}, {u"now-3615898d", std::nullopt}, {u"now+86781529h", std::nullopt},
      {u"now+516557w", std::nullopt}, {u"now-2147483647d", std::nullopt},
      {u"day+99999999999999999999s", Calendar(2089, 1, 19, 3, 14, 7), Calendar(2021, 1, 1)},
      // An invalid base fails.
      {u"month", std::nullopt, Calendar(2021, 2, 30)}, {u"year", std::nullopt, Calendar(1600, 7, 14)},
  };
  // clang-format on
  for (const RelativeCase& c : cases) {
    FileTime ft = 12345;
    EXPECT_EQ(EvaluateRelativeTime(c.expression, c.base, ft), c.result.has_value()) << Narrow(c.expression);
    EXPECT_EQ(ft, c.result ? Utc(*c.result) : 0) << Narrow(c.expression);
  }
}

TEST_F(ValueTimeTest, RelativeArithmeticWorksOnTheLocalCalendar) {
  UseZone(kCentralEurope);
  const CRCalendarTime base = Calendar(2021, 3, 27, 12);
  FileTime ft = 0;
  EXPECT_TRUE(EvaluateRelativeTime(u"day", base, ft) && ft == Utc(Calendar(2021, 3, 26, 23)));
  // The night of the change is an hour shorter, yet "+2d" is still local midnight.
  EXPECT_TRUE(EvaluateRelativeTime(u"day+2d", base, ft) && ft == Utc(Calendar(2021, 3, 28, 22)));
  EXPECT_TRUE(EvaluateRelativeTime(u"day+1d+4h", base, ft) && ft == Utc(Calendar(2021, 3, 28, 2)));
}

}  // namespace
