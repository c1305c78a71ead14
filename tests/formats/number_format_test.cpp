// Number formatting and reading through format strings, with the C locale's "@LOCALE".
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "format_test_util.h"
#include "formats/number_format_text.h"

namespace {

using format_test::FormatStoreTest;
using format_test::U8;

using NumberFormatting = FormatStoreTest;

struct Golden {
  std::u16string_view formatString;
  double value;
  const char* text;
};

TEST_F(NumberFormatting, BasesGroupingAndRange) {
  const Golden cases[] = {
      {u"@HEX", 255, "FF"},
      {u"@HEX<Base=16s>", 255, "ff"},
      {u"@HEX", -255, "-FF"},  // the magnitude, then the sign
      {u"@HEX", 4294967295.0, "FFFFFFFF"},
      {u"@HEX", 4294967296.0, "0"},  // outside the unsigned 32-bit range
      {u"@OCT", 5e9, "0"},
      {u"@BIN", 1e12, "0"},
      {u"@HEX", 255.9, "FF"},  // truncated
      {u"@OCT", 8, "10"},
      {u"@BIN", 255, "11111111"},
      {u"@BIN.S", 255, "1111 1111"},
      {u"@BIN<Separator=T>", 255, "1111 1111"},
      {u"@BIN<S=1>", 256, "1 0000 0000"},
      {u"@HEX.S", 3735928559.0, "DEAD BEEF"},
      {u"@HEX.M1", 1, "10"},               // shifted by the base, not by ten
      {u"@NUMBER<Base=7>", 12.5, "12.5"},  // not a base: 10
  };
  for (const Golden& c : cases) EXPECT_EQ(Text(c.formatString, c.value), c.text) << U8(c.formatString);
}

TEST_F(NumberFormatting, DecimalsSignsPaddingAndFrames) {
  const Golden cases[] = {
      {u"@NUMBER.2", 3.14159, "3.14"},
      {u"@NUMBER.2S3", 1234567.891, "1,234,567.89"},
      {u"@NUMBER", 1.5, "1.5"},  // as many as needed: eight, then trailing zeros go
      {u"@NUMBER", 100, "100"},
      {u"@NUMBER", 1.0 / 3, "0.33333333"},
      {u"@NUMBER", -0.0, "0"},   // negative zero is zero
      {u"@NUMBER.0", 2.5, "2"},  // rounded as printf rounds
      {u"@NUMBER<NF=0>", -5, "(5)"},
      {u"@NUMBER<NF=0>", 5, "5"},
      {u"@NUMBER<NF=2>", -5, "- 5"},
      {u"@NUMBER<NF=3>", -5, "5-"},
      {u"@NUMBER<NF=4>", -5, "5 -"},
      {u"@NUMBER.P<NF=3>", 5, "5+"},
      {u"@NUMBER.P", 5, "+5"},
      {u"@NUMBER<N=>", -5, "5"},  // formats 1 to 4 add nothing for an empty sign
      {u"@NUMBER.0M2", 1.5, "150"},
      {u"@NUMBER.M-3", 1500, "1.5"},
      {u"@NUMBER<DZ=F>", 0.5, ".5"},
      {u"@NUMBER<DZ=F>", 10.5, "10.5"},
      {u"@NUMBER.2L8", 3.5, "00003.50"},
      {u"@NUMBER.2L8<PS=*>", -3.5, "-****3.50"},
      {u"@NUMBER.L6S3", 1234, "001,234"},  // padding is grouped with the digits
      {u"@NUMBER.S32", 123456789, "12,34,56,789"},
      {u"@NUMBER.S<SG=3:0>", 123456789, "123456,789"},
      {u"@NUMBER.S<SG=0>", 123456789, "123456789"},
      {u"@NUMBER<H=$;F=$SPkg>", 5, "$5 kg"},
      {u"@NUMBER.2<H=[;F=]>", -1, "[-1.00]"},
      {u"@ISO.2", 1234.5, "1234,50"},
      {u"@ISO.2S", 1234.5, "1 234,50"},
  };
  for (const Golden& c : cases) EXPECT_EQ(Text(c.formatString, c.value), c.text) << U8(c.formatString);
  EXPECT_EQ(Text(u"@NUMBER.1", std::numbers::pi, 3), "3.142") << "the caller's places win";
  EXPECT_EQ(Text(u"@NUMBER.1000", 1).size(), 2u + kMaxDecimalPlaces) << "places are capped";
  EXPECT_EQ(Text(u"@NUMBER", 1e308).size(), 309u);
}

TEST_F(NumberFormatting, QualityTextsComeFirstInTheirOrder) {
  const std::u16string_view texts = u"@NUMBER<QU=?;QB=bad;QN=n/a>";
  const auto text = [&](int32_t code, bool na, int32_t state, std::u16string_view formatString) {
    return U8(m_store.Format(formatString, code, na, 1.5, state, -1));
  };
  EXPECT_EQ(text(0, false, -1, texts), "1.5");
  EXPECT_EQ(text(0, false, kNumberStateUncertain, texts), "?");
  EXPECT_EQ(text(kNumberCodeBad, true, kNumberStateUncertain, texts), "?");
  EXPECT_EQ(text(kNumberCodeUncertain, true, kNumberStateBad, texts), "bad");
  EXPECT_EQ(text(kNumberCodeBad, true, -1, texts), "bad");
  EXPECT_EQ(text(kNumberCodeUncertain, true, -1, texts), "?");
  EXPECT_EQ(text(0, true, -1, texts), "n/a");
  // "$VALUE" prints bad values; the other checks still apply.
  EXPECT_EQ(text(kNumberCodeBad, false, kNumberStateBad, u"@NUMBER<QB=$VALUE>"), "1.5");
  EXPECT_EQ(text(kNumberCodeBad, true, kNumberStateBad, u"@NUMBER<QB=$VALUE;QN=-->"), "--");
  EXPECT_EQ(text(kNumberCodeBad, false, -1, u"@NUMBER"), "***") << "the default file's QualityBad";
  EXPECT_EQ(text(kNumberCodeBad, false, -1, u"@ANSI"), "");
}

struct ReadBack {
  std::u16string_view formatString;
  std::u16string_view text;
  double value;
};

TEST_F(NumberFormatting, ReadsTextsBack) {
  const ReadBack cases[] = {
      {u"@NUMBER<NF=0>", u"(5)", -5},
      {u"@NUMBER<NF=3>", u"5-", -5},
      {u"@NUMBER<NF=4>", u" 5 - ", -5},
      {u"@NUMBER<NF=2>", u"- 5", -5},
      {u"@NUMBER.P", u"+5", 5},
      {u"@NUMBER.0M2", u"150", 1.5},
      {u"@HEX", u"FF", 255},
      {u"@HEX", u"ff", 255},
      {u"@HEX", u"0x1F", 31},
      {u"@HEX", u"FFFFFFFFFF", 4294967295.0},
      {u"@HEX.S", u"DEAD BEEF", 3735928559.0},
      {u"@BIN.S", u"1111 1111", 255},
      {u"@BIN", u"1012", 5},  // stops at the first digit the base does not have
      {u"@OCT", u"-17", -15},
      {u"@ISO", u"1 234,5", 1234.5},
      {u"@NUMBER.S", u"1,234,567.5", 1234567.5},
      {u"@NUMBER<H=$;F=$SPkg>", u"$5 kg", 5},
      {u"@NUMBER.L8<PS=*>", u"***3.50", 3.5},
      {u"@NUMBER<DZ=F>", u".5", 0.5},
      {u"@NUMBER", u"12abc", 12},
  };
  for (const ReadBack& c : cases) {
    double value = 99;
    EXPECT_EQ(m_store.Parse(c.formatString, c.text, value), kParseOk)
        << U8(c.formatString) << " " << U8(c.text);
    EXPECT_EQ(value, c.value) << U8(c.formatString) << " " << U8(c.text);
  }
  const ReadBack refused[] = {
      {u"@NUMBER", u"", 0}, {u"@NUMBER", u"abc", 0}, {u"@HEX", u"xyz", 0},
      {u"NUMBER", u"5", 0}, {u"@NOPE", u"5", 0},     {u"@NUMBER<NF=0", u"5", 0},
  };
  for (const ReadBack& c : refused) {
    double value = 99;
    EXPECT_EQ(m_store.Parse(c.formatString, c.text, value), kParseNoNumber) << U8(c.formatString);
    EXPECT_EQ(value, 0);
  }
}

// Whatever a format prints reads back to a number that prints the same.
TEST_F(NumberFormatting, EveryFormatReadsWhatItPrints) {
  const std::u16string_view formats[] = {
      u"@NUMBER.2S3",     u"@ISO.3S",
      u"@NUMBER.1<NF=0>", u"@NUMBER.2<NF=3;N=->",
      u"@NUMBER.2<NF=4>", u"@NUMBER.2L9<PS=#>",
      u"@NUMBER.2M-2P",   u"@NUMBER.S32<DS=$SP;SS=.>",
      u"@HEX.S",          u"@BIN.S",
      u"@OCT<H=0o>",      u"@NUMBER.4<H=<;F=$SP%>",
  };
  const double values[] = {0, 1, -1, 0.25, -1234.5, 98765.4321, 4095, -7};
  for (const std::u16string_view formatString : formats) {
    for (const double value : values) {
      const std::u16string text = m_store.Format(formatString, 0, false, value, -1, -1);
      double back = 0;
      ASSERT_EQ(m_store.Parse(formatString, text, back), kParseOk) << U8(formatString) << " " << U8(text);
      EXPECT_EQ(U8(m_store.Format(formatString, 0, false, back, -1, -1)), U8(text)) << U8(formatString);
    }
  }
}

}  // namespace
