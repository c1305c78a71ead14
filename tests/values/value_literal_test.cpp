#include <gtest/gtest.h>

#include "value_test_util.h"
#include "values/element_literal.h"
#include "values/value.h"

TEST(ValueLiteral, ElementLiteralsReadByFirstCharacter) {
  struct Case {
    const char16_t* text;
    ValueKind kind;
    const char* literal;
  } cases[] = {
      {u"TRUE", VK_BOOL, "T"},        {u"FALSE", VK_BOOL, "F"},       {u"Tom", VK_BOOL, "T"},
      {u"Fred", VK_BOOL, "F"},        {u"true", VK_NA, "#N/A#"},      {u"12.5", VK_NUMBER, "12.5"},
      {u"-4", VK_NUMBER, "-4"},       {u"0x1F", VK_NUMBER, "31"},     {u"abc", VK_NUMBER, "0"},
      {u"1,234", VK_NUMBER, "1234"},  {u"\"hi\"", VK_STRING, "\"hi\""}, {u"\"", VK_STRING, "\"\""},
      {u"#N/A#", VK_NA, "#N/A#"},     {u"#&0000ABCD#", VK_OBJECT, "#&0000ABCD#"},
      {u"#&zzzzzzzz#", VK_OBJECT, "#&00000000#"},                      {u"#2024/01", VK_NA, "#N/A#"},
      {u"#bogus#", VK_NA, "#N/A#"},   {u"xyz", VK_NA, "#N/A#"},       {u"", VK_NA, "#N/A#"},
      {u" 5", VK_NA, "#N/A#"},
  };
  for (const Case& c : cases) {
    CNValue v;
    EXPECT_TRUE(v.FromLiteral(c.text, true));
    EXPECT_EQ(v.GetKind(0), c.kind) << Utf16ToUtf8(c.text);
    EXPECT_EQ(LitText(v), c.literal) << Utf16ToUtf8(c.text);
  }
}

TEST(ValueLiteral, StringEscapesRoundTripOnlyWithTheEscapeFlag) {
  const std::u16string raw = u"a\"b\\c\td\ne\rf\bg\fh";
  CNValue v = Str(raw);
  EXPECT_EQ(v.ToLiteral(true), u"\"a\\\"b\\\\c\\td\\ne\\rf\\bg\\fh\"");
  EXPECT_EQ(v.ToLiteral(false), u"\"" + raw + u"\"");
  CNValue back;
  EXPECT_TRUE(back.FromLiteral(v.ToLiteral(true), true));
  EXPECT_EQ(back.GetText(0), raw);

  // Without the flag the text between the first and the last character is taken as it is.
  back.FromLiteral(u"\"a\\nb\"", false);
  EXPECT_EQ(back.GetText(0), u"a\\nb");
}

TEST(ValueLiteral, ListsReadBackInTheirOwnText) {
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"c(1,2,3)", "c(1,2,3)"},
      {u"c(c(1,2),c(3,4))", "c(c(1,2),c(3,4))"},
      {u"c(c(c(1,2),c(3,4)),c(c(5,6),c(7,8)))", "c(c(c(1,2),c(3,4)),c(c(5,6),c(7,8)))"},
      {u"c(\"a,b\",\"c)d\",\"\")", "c(\"a,b\",\"c)d\",\"\")"},
      {u"c(T,F,#N/A#,#&00000010#,-1.5)", "c(T,F,#N/A#,#&00000010#,-1.5)"},
      {u"c(\"q\\\"uote\",\"back\\\\\")", "c(\"q\\\"uote\",\"back\\\\\")"},
      {u"c( c( 1 , 2 ) , c(3,4) ) ", "c(c(1,2),c(3,4))"},  // spaces between items and openings
      {u"c(1, \"x y\", #N/A#)", "c(1,\"x y\",#N/A#)"},
      {u"c(5)", "5"},               // one element prints bare
      {u"#NOTHING#", "#NOTHING#"},  // empty lists are the empty value
      {u"c()", "#NOTHING#"},
      {u"c( )", "#NOTHING#"},
      {u"c(c(),c())", "#NOTHING#"},
  };
  for (const auto& [text, printed] : cases) {
    CNValue v;
    ASSERT_TRUE(v.FromLiteral(text, true)) << Utf16ToUtf8(text);
    EXPECT_EQ(LitText(v), printed);
  }
  CNValue grid = Lit(u"c(c(1,2,3),c(4,5,6))");
  EXPECT_EQ(grid.GetDimensionCount(), 2u);
  EXPECT_EQ(grid.GetDimensionSize(0), 2u);
  EXPECT_EQ(grid.GetDimensionSize(1), 3u);
  EXPECT_EQ(grid.GetNumber(5), 6.0);
  // A dimension of size 1 prints bare as well.
  const uint32_t column[] = {2, 1};
  grid.SetDimensions(2, column);
  grid.SetNumberAt(0, 1);
  grid.SetNumberAt(1, 2);
  EXPECT_EQ(LitText(grid), "c(1,2)");
}

TEST(ValueLiteral, MalformedListsLeaveTheValueEmpty) {
  const char16_t* texts[] = {
      u"c(",           u"c(1,2",         u"c(1,2))",      u"c(1,,2)",      u"c(1,2,)",
      u"c(c(1,2),c(3))", u"c(c(1),c(2,3))", u"c(1,c(2))",    u"c(c(1,2),3)",  u"c(\"abc)",
      u"c(#2024/01/01)", u"c(1 2)x",      u"c(1)c(2)",     u"c(1(2))",      u"c(\"a\"\"b\")",
      u"c(\"a\\\")",   u"c(c(1,2)",      u"c(c(),c(1))",
  };
  for (const char16_t* text : texts) {
    CNValue v = Num(9);
    EXPECT_FALSE(v.FromLiteral(text, true)) << Utf16ToUtf8(text);
    EXPECT_TRUE(v.IsEmpty()) << Utf16ToUtf8(text);
  }
}

TEST(ValueLiteral, DeepNestingDoesNotRecurse) {
  std::u16string text;
  for (int i = 0; i < 5000; ++i) text += u"c(";
  text += u"1";
  for (int i = 0; i < 5000; ++i) text += u")";
  CNValue v;
  ASSERT_TRUE(v.FromLiteral(text, true));
  EXPECT_EQ(v.GetDimensionCount(), 5000u);
  EXPECT_EQ(v.GetCount(), 1u);
  // Every dimension but the last opens a group; the last, of size 1, prints bare.
  std::u16string expected;
  for (int i = 0; i < 4999; ++i) expected += u"c(";
  expected += u"1";
  for (int i = 0; i < 4999; ++i) expected += u")";
  EXPECT_EQ(v.ToLiteral(true), expected);

  std::u16string tooDeep;
  for (int i = 0; i < 70000; ++i) tooDeep += u"c(";
  EXPECT_FALSE(v.FromLiteral(tooDeep, true));
}

TEST(ValueLiteral, IsLiteralTable) {
  struct Case {
    const char16_t* text;
    bool literal;
  } cases[] = {
      {u"TRUE", true},        {u"false", true},        {u"T", true},           {u"t", false},
      {u"Tom", false},        {u"12", true},           {u"-x", true},          {u"\"s", true},
      {u"a1", true},          {u"g1", false},          {u"", false},           {u"#N/A#", true},
      {u"#NOTHING#", true},   {u"#&0000ABCD#", true},  {u"#&0000ABCG#", false}, {u"#now#", true},
      {u"#day-1d#", true},    {u"#bogus#", false},     {u"#now", false},       {u"#", false},
  };
  for (const Case& c : cases) EXPECT_EQ(CNValue::IsLiteral(c.text), c.literal) << Utf16ToUtf8(c.text);
}

TEST(ValueLiteral, TimesRoundTripThroughTheirText) {
  ScopedTimeZone tz("UTC0");
  CNValue v = Lit(u"c(#2024/02/29 13:45:01#,#2024/02/29 13:45:01.5#)");
  ASSERT_EQ(v.GetKind(0), VK_TIME);
  EXPECT_EQ(v.GetTime(1) - v.GetTime(0), 5 * kTicksPerMillisecond);
  EXPECT_EQ(LitText(v), "c(#2024/02/29 13:45:01#,#2024/02/29 13:45:01.5#)");
  EXPECT_EQ(v.GetText(0), u"#2024/02/29 13:45:01#");
}
