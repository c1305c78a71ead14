// Format files: the built-in defaults, the project's additions, and the regional settings.
#include "formats/format_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "format_test_util.h"
#include "formats/blink_formats.h"
#include "formats/locale_data.h"
#include "formats/number_format_text.h"

namespace {

using format_test::FormatStoreTest;
using format_test::U8;

// Records what the reader reports.
class Recorder : public CNFormatFileSink {
 public:
  void Section(std::u16string_view name, size_t offset) override {
    lines.push_back("[" + U8(name) + "]@" + std::to_string(offset));
  }
  void Key(std::u16string_view key, std::u16string_view value) override {
    lines.push_back(U8(key) + "=" + U8(value));
  }
  std::vector<std::string> lines;
};

TEST(FormatFileReader, SectionsAndKeys) {
  Recorder recorder;
  ReadFormatFile(u"Base=2\n[@A]\r\n  Key = a value \n\nno equals\n=empty key\n[B]\nSkipped=1\n[@]\nE=\n[@C",
                 recorder);
  const std::vector<std::string> expected = {"[@A]@7", "Key=a value", "[@]@66", "E="};
  EXPECT_EQ(recorder.lines, expected);
}

using FormatFiles = FormatStoreTest;

TEST_F(FormatFiles, ProjectTextAddsAndOverrides) {
  m_store.LoadNumberFormats(
      u"[@HEX]\nBase=8\n[@VOLT]\nAll=@NUMBER.2\nFooter=$SPV\nbase=16\nNope=1\n[@Volt]\nDecimalPlaces=1");
  EXPECT_EQ(Text(u"@HEX", 8), "10") << "the project's key wins";
  EXPECT_EQ(Text(u"@VOLT", 1.5), "1.50 V") << "All copies, later keys adjust; keys compare with case";
  EXPECT_EQ(Text(u"@Volt", 1.5), "1.5") << "a section of its own";
  EXPECT_EQ(Text(u"@BIN", 5), "101") << "the rest of the default stays";
  const std::vector<std::u16string> names = {u"@HEX", u"@VOLT", u"@Volt"};
  EXPECT_EQ(m_store.GetUserNumberFormatNames(), names);
  const std::vector<std::u16string> sections = m_store.GetUserNumberFormatSections();
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(U8(sections[0]), "[@HEX]\nBase=8\nSeparatorSymbol=$SP\nSeparatorGrouping=4\n");
  EXPECT_EQ(U8(sections[1]), "[@VOLT]\nDecimalPlaces=2\nFooter=$SPV\nQualityBad=***\n");

  m_store.LoadNumberFormats(u"");
  EXPECT_EQ(Text(u"@HEX", 8), "8") << "a new load starts from the default again";
  EXPECT_EQ(Text(u"@VOLT", 1), "");
  EXPECT_TRUE(m_store.GetUserNumberFormatNames().empty());
}

TEST_F(FormatFiles, ProjectTextWithoutSectionContinuesTheDefault) {
  m_store.LoadNumberFormats(u"QualityBad=#BAD#");
  EXPECT_EQ(U8(m_store.Format(u"@NUMBER", 1, false, 1, -1, -1)), "#BAD#");
  m_store.LoadDateTimeFormats(u"TZ=UTC");
  EXPECT_EQ(U8(m_store.FormatTime(u"@DATETIME", 0)), "1601/01/01 00:00:00");
}

TEST_F(FormatFiles, BlinkFormats) {
  CNBlinkFormat record;
  ASSERT_TRUE(m_store.GetBlinkFormat(u"@FAST", record));
  EXPECT_EQ(record.interval, 500);
  m_store.LoadBlinkFormats(u"[@SLOW]\nInterval=-5\n[@ODD]\nInterval=250\nColor=1");
  ASSERT_TRUE(m_store.GetBlinkFormat(u"@SLOW", record));
  EXPECT_EQ(record.interval, 0) << "a negative period counts as 0";
  ASSERT_TRUE(m_store.GetBlinkFormat(u"@ODD", record));
  EXPECT_EQ(record.interval, 250);
  const std::vector<std::u16string> names = {u"@FAST", u"@MEDIUM", u"@ODD", u"@SLOW"};
  EXPECT_EQ(m_store.GetBlinkFormatNames(), names);
  EXPECT_FALSE(m_store.GetBlinkFormat(u"FAST", record));
}

// "@LOCALE" and everything that copies it follow the language.
TEST_F(FormatFiles, RegionalSettingsFollowTheLanguage) {
  m_store.LoadNumberFormats(u"[@MONEY]\nAll=@LOCALE\nDecimalPlaces=2\nSeparator=T");
  EXPECT_EQ(Text(u"@NUMBER.2S3", 1234567.891), "1,234,567.89");
  m_store.SetLanguage(u"de_DE");
  EXPECT_EQ(U8(m_store.GetLanguage()), "de_DE");
  EXPECT_EQ(Text(u"@NUMBER.2S3", 1234567.891), "1.234.567,89") << "the cached string was rebuilt";
  EXPECT_EQ(Text(u"@MONEY", -1234.5), "-1.234,50") << "a project format that copies @LOCALE";
  EXPECT_EQ(Text(u"@ANSI.2", 1234.5), "1234.50") << "formats that do not copy it stay";
  double value = 0;
  EXPECT_EQ(m_store.Parse(u"@MONEY", u"-1.234,50", value), kParseOk);
  EXPECT_EQ(value, -1234.5);
  m_store.SetLanguage(u"C");
  EXPECT_EQ(Text(u"@MONEY", -1234.5), "-1,234.50");
}

TEST(LocaleData, CSettingsAndIcuPatterns) {
  const CNLocaleData c = LoadLocaleData(u"POSIX");
  EXPECT_EQ(c.numbers.decimalSymbol, u'.');
  EXPECT_EQ(U8(c.dates.datePattern), "%Y/%m/%d");
  const CNLocaleData japanese = LoadLocaleData(u"ja_JP");
  EXPECT_EQ(U8(japanese.dates.datePattern), "%Y/%m/%d");
  EXPECT_EQ(U8(japanese.dates.names.monthNames[0]), "1月");
  struct Case {
    std::u16string_view icu;
    const char* directives;
  };
  const Case cases[] = {
      {u"dd.MM.y", "%d.%m.%Y"},
      {u"h:mm:ss a", "%#I:%M:%S %p"},
      {u"EEEE, d MMMM yy", "%A, %#d %B %y"},
      {u"EEE MMM HH:mm:ss.SSS zzzz", "%a %b %H:%M:%S.%f "},
      {u"'o''clock' H '100%'", "o'clock %#H 100%%"},
      {u"y年M月d日", "%Y年%#m月%#d日"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(DirectivesFromIcuPattern(c.icu)), c.directives) << U8(c.icu);
}

}  // namespace
