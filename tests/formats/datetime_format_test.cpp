// Date-time formats: the Base pattern, the directives, zones, names, and reading texts back.
#include "formats/datetime_format.h"

#include <gtest/gtest.h>

#include "format_test_util.h"

namespace {

using format_test::FormatStoreTest;
using format_test::U8;

FileTime Utc(int year, int month, int day, int hour, int minute, int second, int millisecond = 0) {
  CRCalendarTime t;
  t.year = year, t.month = month, t.day = day;
  t.hour = hour, t.minute = minute, t.second = second, t.millisecond = millisecond;
  FileTime ticks = 0;
  EXPECT_TRUE(UtcCalendarToFileTime(t, ticks));
  return ticks;
}

class DateTimeFormats : public FormatStoreTest {
 protected:
  std::string Time(std::u16string_view formatString, FileTime ticks) {
    return U8(m_store.FormatTime(formatString, ticks));
  }
  const FileTime m_morning = Utc(2024, 3, 5, 7, 8, 9, 12);  // a Tuesday
};

TEST(DateTimeBase, ExpandsLettersAndWords) {
  const CNLocaleDates c;
  struct Case {
    std::u16string_view base;
    const char* format;
  };
  const Case cases[] = {
      {u"y-m-d H:M:S", "%Y-%m-%d %H:%M:%S"},
      {u"DT", "%Y/%m/%d%(DTSep)%H:%M:%S"},
      {u"D (w)", "%Y/%m/%d (%a)"},
      {u"H:M:S.MS", "%H:%M:%S.%f"},
      {u"h:M p DST UTC", "%I:%M %p %(DST) %(UTC)"},
      {u"W, d B y", "%A, %d %B %Y"},
      {u"100% x", "100%% x"},
  };
  for (const Case& k : cases) EXPECT_EQ(U8(ExpandDateTimeBase(k.base, c)), k.format) << U8(k.base);
}

TEST_F(DateTimeFormats, PrintsInTheRecordsZone) {
  EXPECT_EQ(Time(u"@ISO<TZ=UTC>", m_morning), "2024-03-05 07:08:09");
  EXPECT_EQ(Time(u"@ISO.y/m/d H:M:S.MSUTC", m_morning), "2024/03/05 07:08:09.012");
  EXPECT_EQ(Time(u"@DATETIME<TZ=UTC>", m_morning), "2024/03/05 07:08:09") << "@LOCALE under C is DT";
  EXPECT_EQ(Time(u"@DATETIME.D<TZ=UTC>", m_morning), "2024/03/05");
  EXPECT_EQ(Time(u"@DATETIME.T<TZ=UTC>", m_morning), "07:08:09");
  EXPECT_EQ(Time(u"@DATETIME<TZ=UTC;DTSep=$RET$>", m_morning), "2024/03/05\n07:08:09");
  EXPECT_EQ(Time(u"@ISO<TZ=Asia/Tokyo>", m_morning), "2024-03-05 16:08:09");
  EXPECT_EQ(Time(u"@ISO<TZ=Tokyo Standard Time>", m_morning), "2024-03-05 16:08:09") << "a Windows name";
  const std::u16string_view berlin = u"@ISO.H:MDST<TZ=Europe/Berlin;DST=(summer)>";
  EXPECT_EQ(Time(berlin, Utc(2024, 7, 1, 12, 0, 0)), "14:00(summer)");
  EXPECT_EQ(Time(berlin, Utc(2024, 1, 1, 12, 0, 0)), "13:00");
  EXPECT_EQ(Time(u"@ISO<TZ=UTC>", ~FileTime{0}), "") << "out of range";
  EXPECT_EQ(Time(u"ISO", m_morning), "");
  EXPECT_EQ(Time(u"@NOPE", m_morning), "");
}

TEST_F(DateTimeFormats, NamesTwelveHoursAndDirectives) {
  EXPECT_EQ(Time(u"@ISO.W, d B y<TZ=UTC>", m_morning), "Tuesday, 05 March 2024");
  EXPECT_EQ(Time(u"@ISO.w b<TZ=UTC;ShortTuesday=Di;ShortMarch=Mrz>", m_morning), "Di Mrz");
  EXPECT_EQ(Time(u"@ISO.h:M p<TZ=UTC>", m_morning), "07:08 AM");
  EXPECT_EQ(Time(u"@ISO.h:M p<TZ=UTC;PM=pm>", Utc(2024, 3, 5, 19, 8, 0)), "07:08 pm");
  EXPECT_EQ(Time(u"@ISO.h:M p<TZ=UTC>", Utc(2024, 3, 5, 0, 30, 0)), "12:30 AM");
  EXPECT_EQ(Time(u"@ISO<Format=%#d.%#m.%y %#H:%#M:%#S %f %q %;TZ=UTC>", Utc(2009, 1, 2, 3, 4, 5, 60)),
            "2.1.09 3:4:5 060 %q %");
}

TEST_F(DateTimeFormats, RegionalPatternsFollowTheLanguage) {
  m_store.SetLanguage(u"de_DE");
  EXPECT_EQ(Time(u"@DATETIME.D<TZ=UTC>", m_morning), "05.03.2024");
  EXPECT_EQ(Time(u"@DATETIME.W<TZ=UTC>", m_morning), "Dienstag");
  EXPECT_EQ(Time(u"@ISO<TZ=UTC>", m_morning), "2024-03-05 07:08:09");
  m_store.SetLanguage(u"en_US");
  const FileTime evening = Utc(2024, 3, 5, 19, 8, 9);
  EXPECT_EQ(Time(u"@DATETIME<TZ=UTC>", evening), "03/05/2024 7:08:09\u202FPM");
  FileTime back = 0;
  EXPECT_TRUE(m_store.ParseTime(u"@DATETIME<TZ=UTC>", u"3/5/2024 7:08:09 pm", back))
      << "any blank for a blank";
  EXPECT_EQ(back, evening);
}

TEST_F(DateTimeFormats, ReadsTextsBack) {
  const std::u16string_view formats[] = {
      u"@ISO<TZ=UTC>",
      u"@ISO.W, d B y h:M:S.MS p<TZ=UTC>",
      u"@ISO.w b d H:M:S y<TZ=Asia/Tokyo>",
      u"@DATETIME<TZ=America/New_York;DTSep=T>",
  };
  const FileTime times[] = {m_morning - m_morning % kTicksPerSecond, Utc(2024, 7, 1, 23, 59, 59),
                            Utc(1999, 12, 31, 0, 0, 0)};
  for (const std::u16string_view formatString : formats) {
    for (const FileTime ticks : times) {
      const std::u16string text = m_store.FormatTime(formatString, ticks);
      FileTime back = 0;
      EXPECT_TRUE(m_store.ParseTime(formatString, text, back)) << U8(formatString) << " " << U8(text);
      EXPECT_EQ(back, ticks) << U8(formatString) << " " << U8(text);
    }
  }
  FileTime back = 0;
  EXPECT_TRUE(m_store.ParseTime(u"@ISO<TZ=UTC>", u" 2024-3-5   7:08:09 ", back))
      << "blanks and short numbers";
  EXPECT_EQ(back, Utc(2024, 3, 5, 7, 8, 9));
  EXPECT_TRUE(m_store.ParseTime(u"@ISO.w B d y<TZ=UTC>", u"tue MARCH 05 2024", back)) << "names in any case";
  EXPECT_EQ(back, Utc(2024, 3, 5, 0, 0, 0));
  for (const std::u16string_view text : {u"2024-13-05 00:00:00", u"2024-02-30 00:00:00", u"2024-03-05", u"x",
                                         u"2024-03-05 00:00:00 extra", u""})
    EXPECT_FALSE(m_store.ParseTime(u"@ISO<TZ=UTC>", text, back)) << U8(text);
}

TEST_F(DateTimeFormats, KeysAndCopies) {
  CNDateTimeFormat record;
  ASSERT_TRUE(m_store.ResolveDateTimeFormat(u"@ISO", record));
  std::u16string value;
  ASSERT_TRUE(GetDateTimeKey(record, u"Base", value));
  EXPECT_EQ(U8(value), "y-m-d H:M:S");
  ASSERT_TRUE(GetDateTimeKey(record, u"Format", value));
  EXPECT_EQ(U8(value), "%Y-%m-%d %H:%M:%S");
  m_store.LoadDateTimeFormats(
      u"[@MINE]\nAll=@ISO\nTZ=UTC\nDTSep=$RET$\nShortSunday=So\nBase=d.m.y\nNope=1\n[@RAW]\nFormat=%H%M");
  ASSERT_TRUE(m_store.ResolveDateTimeFormat(u"@MINE", record));
  ASSERT_TRUE(GetDateTimeKey(record, u"DTSep", value));
  EXPECT_EQ(U8(value), "$RET$") << "line breaks are written back as $RET$";
  EXPECT_EQ(U8(record.dtSep), "\n");
  EXPECT_EQ(U8(record.names.shortDayNames[0]), "So");
  EXPECT_FALSE(GetDateTimeKey(record, u"Nope", value));
  EXPECT_EQ(Time(u"@MINE", m_morning), "05.03.2024");
  EXPECT_EQ(Time(u"@RAW<TZ=UTC>", m_morning), "0708") << "a Format set on its own";
  const std::vector<std::u16string> names = {u"@MINE", u"@RAW"};
  EXPECT_EQ(m_store.GetUserDateTimeFormatNames(), names);
}

}  // namespace
