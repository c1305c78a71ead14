// The format-string grammar, the cache and the way back from a record to a format string.
#include "formats/format_string.h"

#include <gtest/gtest.h>

#include "format_test_util.h"
#include "formats/number_format_inverse.h"

namespace {

using format_test::FormatStoreTest;
using format_test::U8;

using FormatStrings = FormatStoreTest;

TEST_F(FormatStrings, TextsThatNameNoFormat) {
  for (const std::u16string_view text : {u"NUMBER", u" @NUMBER", u"@NOPE", u"@number", u"@NUMBER<NF=0",
                                         u"@NUMBER<NF=0>x", u"@NUMBER<", u"@NUMBER<NF=3>.P", u"@"}) {
    EXPECT_EQ(Text(text, 5), "") << U8(text);
    CNNumberFormat record;
    EXPECT_FALSE(m_store.ResolveNumberFormat(text, record)) << U8(text);
  }
  EXPECT_EQ(Text(u"", 1.5), Text(u"@NUMBER", 1.5)) << "the empty string is @NUMBER";
  EXPECT_EQ(U8(m_store.Format(u"", 1, false, 1.5, -1, -1)), "***");
}

TEST_F(FormatStrings, PairsAndTheirSeparators) {
  EXPECT_EQ(Text(u"@NUMBER<NF=0;N=neg>", -5), "(5)");
  EXPECT_EQ(Text(u"@NUMBER<NF=3><N=neg>", -5), "5neg") << "\"><\" separates like \";\"";
  EXPECT_EQ(Text(u"@NUMBER<NF=3><N=neg>   ", -5), "5neg") << "trailing blanks";
  EXPECT_EQ(Text(u"@NUMBER<Nope=1;NF=3;;nf=0>", -5), "5-") << "unknown keys and empty pairs";
  EXPECT_EQ(Text(u"@NUMBER<NegativeNumberFormat=4;NegativeSign=minus>", -5), "5 minus") << "long names";
  EXPECT_EQ(Text(u"@NUMBER<H=a=b>", 5), "a=b5") << "a value may hold \"=\"";
  EXPECT_EQ(Text(u"@NUMBER<NF=9>", -5), "-5") << "an order outside 0 to 4 is the default";
  EXPECT_EQ(Text(u"@NUMBER<All=@HEX;DS=x>", 255), "FF") << "All, then the pairs after it";
  EXPECT_EQ(Text(u"@NUMBER<All=@NOPE;NF=3>", -5), "5-") << "All naming nothing changes nothing";
  EXPECT_EQ(Text(u"@NUMBER<All=@HEX<All=@OCT>>", 8), "10") << "All with a format string of its own";
}

TEST_F(FormatStrings, PatternLetters) {
  EXPECT_EQ(Text(u"@NUMBER.2xS3", 1234.5), "1,234.50") << "other characters are skipped";
  EXPECT_EQ(Text(u"@NUMBER.L1000", 1).size(), 100u) << "three digits at most: L100, then 0 skipped";
  EXPECT_EQ(Text(u"@NUMBER.L", 12), "12");
  EXPECT_EQ(Text(u"@NUMBER.M-2", 150), "1.5");
  EXPECT_EQ(Text(u"@NUMBER.M", 1.5), "1.5");
  EXPECT_EQ(Text(u"@NUMBER.S", 1234), "1,234") << "S keeps the format's group sizes";
  EXPECT_EQ(Text(u"@NUMBER.", 1.5), "1.5");
  EXPECT_EQ(Text(u"@HEX.2", 255), "FF") << "decimal places do not apply to other bases";
}

// Deeply nested "All" values end instead of recursing without bound.
TEST_F(FormatStrings, NestingIsBounded) {
  std::u16string text = u"@HEX";
  for (int i = 0; i < 200; ++i) text = u"@NUMBER<All=" + text + u">";
  EXPECT_EQ(Text(text, 255), "255") << "too deep: the innermost All is refused";
  EXPECT_EQ(Text(u"@NUMBER<All=@NUMBER<All=@HEX>>", 255), "FF");
}

TEST_F(FormatStrings, CacheKeepsAngleBracketStringsOnlyBelowTheLimit) {
  EXPECT_EQ(m_store.GetNumberCacheSize(), 0u);
  Text(u"@HEX", 1);
  Text(u"@HEX", 2);
  Text(u"@NOPE", 2);
  EXPECT_EQ(m_store.GetNumberCacheSize(), 1u) << "one entry per resolved string";
  for (size_t i = 1; m_store.GetNumberCacheSize() < CNNumberFormats::kCacheLimit; ++i)
    Text(u"@NUMBER<H=" + AsciiToUtf16(std::to_string(i)) + u">", 1);
  EXPECT_EQ(Text(u"@NUMBER<H=x>", 1), "x1");
  EXPECT_EQ(m_store.GetNumberCacheSize(), CNNumberFormats::kCacheLimit) << "not cached, yet formatted";
  Text(u"@NUMBER.3", 1);
  EXPECT_EQ(m_store.GetNumberCacheSize(), CNNumberFormats::kCacheLimit + 1) << "plain strings still are";
  m_store.LoadNumberFormats(u"");
  EXPECT_EQ(m_store.GetNumberCacheSize(), 0u) << "loading empties the cache";
}

struct Inverse {
  std::u16string_view formatString;
  const char* written;
};

TEST_F(FormatStrings, RecordsAreWrittenBackAsFormatStrings) {
  const Inverse cases[] = {
      {u"@HEX", "@HEX"},
      {u"@HEX<Base=16s>", "@HEX<Base=16s;>"},
      {u"@NUMBER.2S3", "@NUMBER.2S"},
      {u"@NUMBER.2S32", "@NUMBER.2S<SeparatorGrouping=3:2;>"},
      {u"@NUMBER.M-12L5P", "@NUMBER.M-12PL5"},
      {u"@NUMBER<NF=0;DZ=F;PS=$SP;H=$SPx;DS=$SP>",
       "@NUMBER<DecimalSymbol=$SP;NegativeNumberFormat=0;DisplayLeadingZero=F;PaddingSymbol=$SP;Header=$SPx;"
       ">"},
      {u"@NUMBER<QU=?;QB=$VALUE;QN=-;N=~;P=plus>",
       "@NUMBER<PositiveSign=plus;NegativeSign=~;QualityUncertain=?;QualityBad=$VALUE;QualityNA=-;>"},
      {u"@NUMBER<SS=.;D=-3>", "@NUMBER<DecimalPlaces=-3;SeparatorSymbol=.;>"},
      {u"@BIN.S<S=F>", "@BIN"},
  };
  for (const Inverse& c : cases) {
    CNNumberFormat record;
    ASSERT_TRUE(m_store.ResolveNumberFormat(c.formatString, record)) << U8(c.formatString);
    const std::u16string base = std::u16string(c.formatString.substr(0, c.formatString.find_first_of(u".<")));
    const std::u16string written = m_store.WriteNumberFormatString(record, base);
    EXPECT_EQ(U8(written), c.written);
    CNNumberFormat again;
    ASSERT_TRUE(m_store.ResolveNumberFormat(written, again)) << U8(written);
    EXPECT_TRUE(again == record) << U8(written);
  }
  // Keys the letters cannot switch back are written as pairs.
  CNNumberFormat record;
  ASSERT_TRUE(m_store.ResolveNumberFormat(u"@NUMBER", record));
  CNNumberFormat grouped;
  ASSERT_TRUE(m_store.ResolveNumberFormat(u"@NUMBER.2S", grouped));
  EXPECT_EQ(U8(WriteNumberFormatString(record, u"@X", grouped)), "@X<DecimalPlaces=-1;Separator=F;>");
  EXPECT_EQ(U8(m_store.WriteNumberFormatString(record, u"@NOPE")), "");
}

}  // namespace
