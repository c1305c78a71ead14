#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "support/utf16_text.h"

namespace {

template <class T>
struct Case {
  std::u16string_view text;
  T value;
  size_t consumed;
};

template <class T>
void ExpectParses(T (*parse)(std::u16string_view, size_t*), std::initializer_list<Case<T>> cases) {
  for (const Case<T>& c : cases) {
    size_t consumed = 99;
    EXPECT_EQ(parse(c.text, &consumed), c.value) << testing::PrintToString(c.text);
    EXPECT_EQ(consumed, c.consumed) << testing::PrintToString(c.text);
  }
}

TEST(NumberParse, LeadingDoubleReadsTheLongestDecimalPrefixOrNothing) {
  ExpectParses<double>(ParseLeadingDouble,
                       {{u" \t\r\n-12.5e3xyz", -12500, 11},
                        {u"+.5", 0.5, 3},
                        {u"5.e1", 50, 4},
                        {u"007.25", 7.25, 6},
                        {u"1e+", 1, 1},
                        {u"1E-2)", 0.01, 4},
                        {u"1,5", 1, 1},  // the decimal mark is always "."
                        {u"0x1A", 0, 1},
                        {u"1.7976931348623157e308", std::numeric_limits<double>::max(), 22},
                        {u"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min(), 23},
                        // No digits: nothing is read.
                        {u"", 0, 0},
                        {u" ", 0, 0},
                        {u"-", 0, 0},
                        {u".", 0, 0},
                        {u"-.e5", 0, 0},
                        {u"inf", 0, 0},
                        {u"-INFINITY", 0, 0},
                        {u"nan", 0, 0},
                        {u"\uFF11" /* full-width one */, 0, 0}});
}

TEST(NumberParse, LeadingDoubleOutOfRangeOverflowsToInfinityAndUnderflowsToZero) {
  EXPECT_EQ(ParseLeadingDouble(u"1e400"), HUGE_VAL);
  EXPECT_EQ(ParseLeadingDouble(u"-123456789e999999999999"), -HUGE_VAL);
  EXPECT_EQ(ParseLeadingDouble(u"0.0001e-320"), 0.0);
  EXPECT_TRUE(std::signbit(ParseLeadingDouble(u"-1e-400")));
  EXPECT_EQ(ParseLeadingDouble(u"0e99999"), 0.0);
  // Many digits are read exactly, however long.
  const std::u16string longOne = u"0." + std::u16string(5000, u'0') + u"1e5001";
  size_t consumed = 0;
  EXPECT_EQ(ParseLeadingDouble(longOne, &consumed), 1.0);
  EXPECT_EQ(consumed, longOne.size());
}

TEST(NumberParse, LeadingHexReadsDigitsOnlyAndSaturates) {
  ExpectParses<uint32_t>(ParseLeadingHex32, {{u"00C0ffee;", 0xC0FFEE, 8},
                                             {u"FFFFFFFF", 0xFFFFFFFF, 8},
                                             {u"100000000", 0xFFFFFFFF, 9},
                                             {u"123456789abcdef0123", 0xFFFFFFFF, 19},
                                             {u"0x10", 0, 1},
                                             {u" 1", 0, 0},
                                             {u"-1", 0, 0},
                                             {u"", 0, 0}});
}

TEST(NumberParse, LeadingInt32SaturatesAtTheLimits) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  ExpectParses<int32_t>(ParseLeadingInt32, {{u"  +7z", 7, 4},
                                            {u"-2147483648", kMin, 11},
                                            {u"2147483647", kMax, 10},
                                            {u"2147483648", kMax, 10},
                                            {u"-2147483649", kMin, 11},
                                            {u"-99999999999999999999999", kMin, 24},
                                            {u"12.9", 12, 2},
                                            {u"-", 0, 0},
                                            {u"+-1", 0, 0},
                                            {u"", 0, 0}});
}

}  // namespace
