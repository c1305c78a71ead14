#include "support/utf16_text.h"

#include <gtest/gtest.h>

namespace {

constexpr char16_t R = 0xFFFD;

TEST(Utf16Text, ConvertsWellFormedTextBothWays) {
  // "a", e-acute, euro sign, and U+1F600 (a surrogate pair in UTF-16).
  const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  const std::u16string utf16 = u"a\u00E9\u20AC\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
  // The largest code point and the last ones below and above the surrogate block.
  EXPECT_EQ(Utf8ToUtf16("\xF4\x8F\xBF\xBF\xED\x9F\xBF\xEE\x80\x80"), u"\U0010FFFF\uD7FF\uE000");
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf16Text, EachMaximalIllFormedUtf8SubsequenceBecomesOneReplacement) {
  struct Case {
    std::string input;
    std::u16string expected;
  };
  const Case cases[] = {
      {"\x80", {R}},
      {"\xBF\x80", {R, R}},
      {"\xC0\xAF", {R, R}},  // overlong lead byte, then a lone trail byte
      {"\xC1\xBF", {R, R}},
      {"\xE0\x80\xAF", {R, R, R}},         // overlong three-byte form
      {"\xED\xA0\x80", {R, R, R}},         // encoded surrogate
      {"\xF4\x90\x80\x80", {R, R, R, R}},  // above U+10FFFF
      {"\xF5\x80", {R, R}},
      {"\xFF", {R}},
      {"\xE2\x82", {R}},  // truncated at the end
      {"\xE2\x82"
       "A",
       {R, u'A'}},  // truncated before ASCII, which survives
      {"\xF0\x9F\x98", {R}},
      {"\xC3\xC3\xA9", {R, u'\u00E9'}},  // a lead byte interrupting another
      // The standard's own example of maximal subparts.
      {"\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64", {u'a', R, R, R, u'b', R, u'c', R, R, u'd'}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.input), c.expected) << testing::PrintToString(c.input);
  }
}

TEST(Utf16Text, LoneSurrogatesBecomeReplacementInUtf8) {
  const std::string r = "\xEF\xBF\xBD";
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'a'}), r + "a");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xDC00}), "a" + r);
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D}), r);
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDE00, 0xD83D}), r + r);  // pair in the wrong order
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, 0xD83D, 0xDE00}), r + "\xF0\x9F\x98\x80");
}

TEST(Utf16Text, AsciiWideningKeepsLatin1Bytes) {
  EXPECT_EQ(AsciiToUtf16("A\xE9\xFF"), u"A\u00E9\u00FF");
}

TEST(Utf16Text, CaseFoldingTouchesAsciiLettersOnly) {
  EXPECT_EQ(ToUpperAscii(u"stretch_keepRate 1\u00E9z"), u"STRETCH_KEEPRATE 1\u00E9Z");
  EXPECT_EQ(ToLowerAscii(u'Q'), u'q');
  EXPECT_EQ(ToLowerAscii(u'['), u'[');  // just past 'Z'
  EXPECT_EQ(ToUpperAscii(u'`'), u'`');  // just before 'a'
  EXPECT_TRUE(EqualsIgnoreCaseAscii(u"Auto", u"aUTO"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii(u"\u00E9", u"\u00C9"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii(u"auto", u"autox"));
  EXPECT_TRUE(StartsWithIgnoreCaseAscii(u"HTTP://host", u"http://"));
  EXPECT_TRUE(StartsWithIgnoreCaseAscii(u"x", u""));
  EXPECT_FALSE(StartsWithIgnoreCaseAscii(u"htt", u"http"));
}

}  // namespace
