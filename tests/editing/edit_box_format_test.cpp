#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "editing/text_format.h"
#include "editing/text_format_check.h"
#include "editing/text_format_environment.h"
#include "support/utf16_text.h"

namespace {

CNNumberEntryFormat Number(std::u16string_view text) {
  return ParseTextFormat(TEXT_TYPE_NUMBER, text).number;
}

// Answers a fixed locale and knows one hexadecimal number format while it lives.
class FakeEnvironment : public CNTextFormatEnvironment {
 public:
  explicit FakeEnvironment(std::u16string locale) : m_locale(std::move(locale)), m_previous(SetCurrent(this)) {}
  ~FakeEnvironment() override { SetCurrent(m_previous); }
  bool GetNumberBase(std::u16string_view name, int32_t& base) override {
    if (name != u"HEX") return false;
    base = 16;
    return true;
  }
  std::u16string GetLocaleName() override { return m_locale; }

 private:
  std::u16string m_locale;
  CNTextFormatEnvironment* m_previous;
};

// Every field of a number format in one line: version, digits, range, base and the version 1
// fields, then decimal places, number format and the extra field.
std::string Fields(std::u16string_view format) {
  const CNNumberEntryFormat f = Number(format);
  const auto digits = [](int32_t n) { return n == kFreeDigits ? std::string("#") : std::to_string(n); };
  const auto bound = [](std::optional<double> b) {
    std::ostringstream text;
    b ? text << *b : text << '-';
    return text.str();
  };
  static constexpr const char* kMessages[] = {"none", "auto", "EN", "JP"};
  return "v" + std::to_string(f.version) + " " + digits(f.integerDigits) + "." + digits(f.fractionDigits) +
         " [" + bound(f.minimum) + "," + bound(f.maximum) + "] base " + std::to_string(f.base) +
         (f.smallLetters ? " small" : "") + (f.allowEmpty ? " empty" : "") +
         (f.checkTime == CHECK_ENTER ? " enter " : " typing ") + kMessages[f.message] +
         (f.flag ? " flag" : "") + " | " + std::to_string(f.decimalPlaces) + " " +
         Utf16ToUtf8(f.numberFormat) + " " + Utf16ToUtf8(f.extra);
}

TEST(TextFormat, FieldsOfBothVersions) {
  const std::pair<std::u16string_view, const char*> cases[] = {
      {u"#,0,255,10,F,ENTER,EN", "v1 #.0 [0,255] base 10 enter EN | -1 @NUMBER "},
      {u"v1:3.##,,-5,16s,y,typing,jp,T,ignored",
       "v1 3.# [-,-5] base 16 small empty typing JP flag | -1 @NUMBER "},
      // Base 7 counts in 10; "s" only matters in base 16; anything but "ENTER" checks while typing;
      // a message field that is no language is a boolean ("yes" is neither a boolean word nor a number).
      {u"2,,,7s,1,later,yes", "v1 2.0 [-,-] base 10 empty typing none | -1 @NUMBER "},
      {u"#,,,8,N,ENTER,T", "v1 #.0 [-,-] base 8 enter auto | -1 @NUMBER "},
      {u"#,,,16,N,ENTER,0", "v1 #.0 [-,-] base 16 enter none | -1 @NUMBER "},
      {u"#,,,16S", "v1 #.0 [-,-] base 16 typing none | -1 @NUMBER "},
      {u"v2:1,0x10,0XFF,MyFormat,rest", "v2 0.0 [16,255] base 10 typing none | 1 MyFormat rest"},
      {u"", "v2 0.0 [-,-] base 10 typing none | -1 @NUMBER "},
  };
  for (const auto& [format, fields] : cases) EXPECT_EQ(Fields(format), fields) << Utf16ToUtf8(format);
  EXPECT_EQ(ParseTextFormat(TEXT_TYPE_TEXT, u"5").maxLength, 5u);
  EXPECT_EQ(ParseTextFormat(TEXT_TYPE_TEXT, u"-3").maxLength, 0u);
  EXPECT_EQ(ParseTextFormat(TEXT_TYPE_TEXT, u"abc").maxLength, 0u);
  EXPECT_EQ(ParseTextFormat(TEXT_TYPE_PASSWORD, u"5").maxLength, 0u);
}

TEST(TextFormat, BooleanWords) {
  for (std::u16string_view yes : {u"TRUE", u"t", u"Y", u"y", u"1", u"-2.5"}) EXPECT_TRUE(ParseFormatBool(yes));
  for (std::u16string_view no : {u"", u"false", u"F", u"n", u"0", u"maybe"}) EXPECT_FALSE(ParseFormatBool(no));
}

struct CheckCase {
  std::u16string_view format;
  std::u16string_view text;
  bool passed;
  std::u16string_view message;
};

TEST(NumberCheck, MessagesAndLimits) {
  const FakeEnvironment english(u"en-US");
  const CheckCase cases[] = {
      {u"#,0,255,10,F,ENTER,EN", u"300", false,
       u"300 is not in the range.\n\nPlease input between 0 and 255."},
      {u"#,0,255,10,F,ENTER,EN", u"1,0", true, u""},
      {u"#,0,255,10,F,ENTER,EN", u"", false, u"Please input some number."},
      {u"#,0,255,10,T,ENTER,EN", u",", true, u""},
      {u"#,,,2,F,ENTER,EN", u"234", false, u"Please input some number."},
      {u"#,,,2,F,ENTER,EN", u"101", true, u""},
      {u"#,,,8,F,ENTER,EN", u"89", false, u"Please input some number."},
      {u"#,,10.5,10,F,ENTER,EN", u"11", false, u"11 is not in the range.\n\nPlease input 10.5 or under."},
      {u"#,-1.25,,10,F,ENTER,EN", u"-2", false, u"-2 is not in the range.\n\nPlease input -1.25 or over."},
      {u"#,0,255,10,F,ENTER,JP", u"300", false,
       u"「300」は範囲外です。\n\n0以上255以下の数値を入力してください。"},
      {u"#,,255,10,F,ENTER,JP", u"300", false, u"「300」は範囲外です。\n\n255以下の数値を入力してください。"},
      {u"#,10,,10,F,ENTER,JP", u"3", false, u"「3」は範囲外です。\n\n10以上の数値を入力してください。"},
      {u"#,,,10,F,ENTER,JP", u"x", false, u"数値を入力してください。"},
      {u"#,0,255,10,F,ENTER,F", u"300", false, u""},  // no message
      {u"#,0,255,10,F,ENTER,T", u"300", false,
       u"300 is not in the range.\n\nPlease input between 0 and 255."},
      {u"#,0,255,16,F,ENTER,EN", u"FF", true, u""},
      {u"#,0,255,16,F,ENTER,EN", u"0x100", false,
       u"0x100 is not in the range.\n\nPlease input between 0 and 255."},
      {u"v2:1,0,100,@NUMBER", u"50", true, u""},
      {u"v2:1,0,100,@NUMBER", u"150", false, u""},
      {u"v2:", u"", false, u""},
      {u"v2:,,,HEX", u"1F", true, u""},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.format) + " / " + Utf16ToUtf8(c.text));
    const CNNumberCheckResult result = CheckNumberText(Number(c.format), c.text);
    EXPECT_EQ(result.passed, c.passed);
    EXPECT_EQ(Utf16ToUtf8(result.message), Utf16ToUtf8(c.message));
  }
}

TEST(NumberCheck, AutomaticLanguageFollowsTheLocale) {
  for (std::u16string_view locale : {u"ja", u"JA-jp", u"ja-JP"}) {
    const FakeEnvironment japanese{std::u16string(locale)};
    EXPECT_TRUE(UsesJapaneseMessages(MESSAGE_AUTO)) << Utf16ToUtf8(locale);
  }
  for (std::u16string_view locale : {u"", u"en", u"ja-JP-x", u"jam"}) {
    const FakeEnvironment other{std::u16string(locale)};
    EXPECT_FALSE(UsesJapaneseMessages(MESSAGE_AUTO)) << Utf16ToUtf8(locale);
    EXPECT_TRUE(UsesJapaneseMessages(MESSAGE_JAPANESE));
    EXPECT_FALSE(UsesJapaneseMessages(MESSAGE_ENGLISH));
  }
}

TEST(NumberCheck, ReadsAndWritesInTheBase) {
  EXPECT_EQ(ReadEntryNumber(u"1,234.5", 10), 1234.5);
  EXPECT_EQ(ReadEntryNumber(u"  -101x", 2), -5.0);
  EXPECT_EQ(ReadEntryNumber(u"17", 8), 15.0);
  EXPECT_EQ(ReadEntryNumber(u"ff", 16), 255.0);
  EXPECT_EQ(ReadEntryNumber(u"0x1F", 16), 31.0);
  EXPECT_EQ(ReadEntryNumber(u"FFFFFFFFFF", 16), 4294967295.0);
  EXPECT_EQ(ReadEntryNumber(u"--1", 16), 0.0);
  EXPECT_EQ(ReadEntryNumber(u"", 2), 0.0);
  EXPECT_EQ(WriteEntryNumber(255, 16, false), u"FF");
  EXPECT_EQ(WriteEntryNumber(-255.7, 16, true), u"-ff");
  EXPECT_EQ(WriteEntryNumber(5, 2, false), u"101");
  EXPECT_EQ(WriteEntryNumber(12.5, 10, false), u"12.5");
}

TEST(NumberCheck, VersionTwoDecimalPlacesShapeTheText) {
  EXPECT_EQ(ShapeEntryText(Number(u"v2:0"), 2.5, u"2.5"), u"2");
  EXPECT_EQ(ShapeEntryText(Number(u"v2:"), 2.5, u"2.50"), u"2.50");
  EXPECT_EQ(ShapeEntryText(Number(u"#.2,,,10,F,ENTER"), 2.5, u"2.5"), u"2.5");
  EXPECT_EQ(ShapeEntryText(Number(u"v2:999"), 1, u"1").size(), 2u + kMaxShownDecimals);
}

TEST(NumberCheck, TypingAcceptsOnlyTheBeginningOfANumber) {
  struct Case {
    std::u16string_view format;
    std::u16string_view text;
    bool ok;
  };
  const Case cases[] = {
      {u"#", u"", true},          {u"#", u"-", true},         {u"#", u"1,234", true},
      {u"#", u"12.", false},      {u"#.2", u"12.3", true},    {u"#.2", u"12.345", false},
      {u"#.#", u"0.12345", true}, {u"3", u"999", true},       {u"3", u"1000", false},
      {u"#,0", u"-1", false},     {u"#,,,2", u"102", false},  {u"#,,,16", u"fF", true},
      {u"#.#,,,16", u"F.1", false}, {u"#", u"1e5", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsNumberPrefix(Number(c.format), c.text), c.ok) << Utf16ToUtf8(c.format) << " / " << Utf16ToUtf8(c.text);
}

}  // namespace
