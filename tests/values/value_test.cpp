#include "values/value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "value_test_util.h"

TEST(Value, FreshAndClearedValuesAreEmptyWithUncertainQuality) {
  CNValue v;
  EXPECT_TRUE(v.IsEmpty());
  EXPECT_EQ(v.GetQuality(), VQ_UNCERTAIN);
  EXPECT_EQ(LitText(v), "#NOTHING#");

  v.SetNumber(4);
  v.SetQuality(VQ_GOOD);
  v.SetTimeStamp(123);
  v.SetFlags(kValueFlagKept | kValueFlagContent);
  v.Clear();
  EXPECT_TRUE(v.IsEmpty());
  EXPECT_EQ(v.GetCount(), 0u);
  EXPECT_EQ(v.GetQuality(), VQ_UNCERTAIN);
  EXPECT_EQ(v.GetTimeStamp(), 0u);
  EXPECT_EQ(v.GetFlags(), kValueFlagKept);
}

TEST(Value, ShapesFollowTheDimensionRules) {
  CNValue v;
  EXPECT_EQ(v.SetDimensions(0, nullptr), 1);
  EXPECT_TRUE(v.IsEmpty());

  EXPECT_EQ(v.SetDimensions(1, nullptr), 1);  // a scalar
  EXPECT_EQ(v.GetCount(), 1u);
  EXPECT_EQ(v.GetDimensionSizes(), nullptr);
  EXPECT_EQ(v.GetDimensionSize(0), 1u);
  EXPECT_EQ(v.GetKind(0), VK_NA);

  const uint32_t one = 1, zero = 0;
  EXPECT_EQ(v.SetDimensions(1, &one), 1);
  EXPECT_EQ(v.GetDimensionSizes(), nullptr);
  EXPECT_EQ(v.SetDimensions(1, &zero), 1);
  EXPECT_TRUE(v.IsEmpty());

  const uint32_t grid[] = {2, 3};
  EXPECT_EQ(v.SetDimensions(2, grid), 1);
  EXPECT_EQ(v.GetCount(), 6u);
  EXPECT_EQ(v.GetLength(), 2u);
  EXPECT_EQ(v.GetDimensionSize(1), 3u);
  EXPECT_EQ(v.GetDimensionSize(2), 0u);

  const uint32_t list = 5;
  v.SetDimensions(1, &list);
  EXPECT_EQ(v.GetLength(), 5u);
}

TEST(Value, ShapeWhoseCountOverflows32BitsFailsAndLeavesNothing) {
  CNValue v = Lit(u"c(1,2)");
  const uint32_t huge[] = {65536, 65536};
  EXPECT_EQ(v.SetDimensions(2, huge), 0);
  EXPECT_TRUE(v.IsEmpty());
  EXPECT_EQ(LitText(v), "#NOTHING#");
  const uint32_t three[] = {0xFFFFFFFF, 2, 1};
  EXPECT_EQ(v.SetDimensions(3, three), 0);
  EXPECT_TRUE(v.IsEmpty());
}

TEST(Value, OutOfRangeIndexesReadNeutralAndWritesAreIgnored) {
  CNValue v = Lit(u"c(1,\"x\")");
  v.SetNumberAt(2, 9);
  v.SetStringAt(7, u"y");
  v.ClearAt(99);
  EXPECT_EQ(LitText(v), "c(1,\"x\")");
  EXPECT_EQ(v.GetKind(5), VK_NA);
  EXPECT_FALSE(v.GetBool(5));
  EXPECT_EQ(v.GetNumber(5), 0.0);
  EXPECT_EQ(v.GetText(5), u"");
  EXPECT_EQ(v.GetTime(5), 0u);
  EXPECT_EQ(v.GetHandle(5), 0u);
}

TEST(Value, AssignCopiesShapeMetaAndDeepCopiesStrings) {
  CNValue a = Lit(u"c(c(\"ab\",2),c(T,#N/A#))");
  a.SetQuality(VQ_GOOD);
  a.SetTimeStamp(77);
  a.SetFlags(kValueFlagKept | kValueFlagContent);
  CNValue b;
  b.Assign(a);
  EXPECT_TRUE(b.IsSameShape(a));
  EXPECT_TRUE(b.IsEqual(kCompareContents | kCompareQuality | kCompareTimeStamp, a));
  EXPECT_EQ(b.GetFlags(), kValueFlagKept | kValueFlagContent);
  EXPECT_NE(b.GetStringView(0).data(), a.GetStringView(0).data());
  a.SetStringAt(0, u"changed");
  EXPECT_EQ(b.GetText(0), u"ab");
  b.Assign(b);  // self-assignment keeps everything
  EXPECT_EQ(LitText(b), "c(c(\"ab\",2),c(T,#N/A#))");
}

TEST(Value, SettingAScalarFromItsOwnTextIsSafe) {
  CNValue v = Str(u"hello");
  v.SetString(v.GetStringView(0));
  EXPECT_EQ(v.GetText(0), u"hello");
  v.SetString(v.GetStringView(0).substr(2));  // shorter: written into its own storage
  EXPECT_EQ(v.GetText(0), u"llo");
  v.SetQuality(VQ_GOOD);
  v.SetString(u"ll");
  EXPECT_EQ(v.GetText(0), u"ll");
  EXPECT_EQ(v.GetQuality(), VQ_UNCERTAIN);
  v.SetString(u"longer than before");
  EXPECT_EQ(v.GetText(0), u"longer than before");
  CNValue list = Lit(u"c(\"a\",\"b\")");
  list.SetString(list.GetStringView(1));
  EXPECT_EQ(LitText(list), "\"b\"");
}

TEST(Value, AppendingGrowsOnlyAScalarStringAndCopiesStayExact) {
  CNValue v = Str(u"ab");
  v.SetQuality(VQ_GOOD);
  v.SetTimeStamp(77);
  v.SetFlags(kValueFlagContent);
  ASSERT_TRUE(v.AppendString(u"c"));
  EXPECT_EQ(v.GetText(0), u"abc");
  // As a join of two texts reads: a fresh scalar's quality, time stamp and flags.
  EXPECT_EQ(v.GetQuality(), VQ_UNCERTAIN);
  EXPECT_EQ(v.GetTimeStamp(), 0u);
  EXPECT_EQ(v.GetFlags(), 0);
  // Its own text, at every size the storage passes on its way up.
  std::u16string expected = u"abc";
  for (int i = 0; i < 12; ++i) {
    ASSERT_TRUE(v.AppendString(v.GetStringView(0)));
    expected += expected;
    ASSERT_EQ(v.GetText(0), expected) << i;
  }
  CNValue copy = v;
  v.AppendString(u"!");
  EXPECT_EQ(copy.GetText(0), expected);
  copy.SetString(u"x");  // a copy made from a grown text is a text like any other
  ASSERT_TRUE(copy.AppendString(u"yz"));
  EXPECT_EQ(copy.GetText(0), u"xyz");
  v.SetString(u"short");  // shrinks in its storage, which later appends reuse
  ASSERT_TRUE(v.AppendString(u"er"));
  EXPECT_EQ(v.GetText(0), u"shorter");

  for (const char16_t* literal : {u"c(\"a\",\"b\")", u"1", u"#N/A#", u"#NOTHING#"}) {
    CNValue other = Lit(literal);
    EXPECT_FALSE(other.AppendString(u"x")) << Utf16ToUtf8(literal);
    EXPECT_EQ(LitText(other), LitText(Lit(literal)));
  }
}

TEST(Value, ConversionTableByKind) {
  CNValue v;
  v.SetNA();
  EXPECT_EQ(v.GetText(), u"N/A");
  EXPECT_EQ(v.GetTextEmptyNA(), u"");
  EXPECT_FALSE(v.GetBool());

  v.SetBool(true);
  EXPECT_EQ(v.GetNumber(), 1.0);
  EXPECT_EQ(v.GetText(), u"T");
  EXPECT_EQ(v.GetTime(), 0u);

  v.SetNumber(std::nan(""));
  EXPECT_TRUE(v.GetBool());  // NaN is not exactly 0
  v.SetNumber(-2.9);
  EXPECT_EQ(v.GetTime(), static_cast<FileTime>(-2));
  EXPECT_EQ(v.GetHandle(), 0xFFFFFFFEu);
  v.SetNumber(1e300);  // saturates instead of overflowing
  EXPECT_EQ(v.GetTime(), static_cast<FileTime>(INT64_MAX));

  v.SetTime(0x0000000100000000ull);  // low half zero
  EXPECT_FALSE(v.GetBool());
  v.SetTime(0x0000000100000001ull);
  EXPECT_TRUE(v.GetBool());
  EXPECT_EQ(v.GetNumber(), 4294967297.0);
  EXPECT_EQ(v.GetHandle(), 0u);

  v.SetObject(0x1A2B);
  EXPECT_EQ(v.GetText(), u"#&00001A2B#");
  EXPECT_EQ(v.GetNumber(), 6699.0);
  EXPECT_TRUE(v.GetBool());

  v.SetString(u"#&0000001F#");
  EXPECT_EQ(v.GetHandle(), 31u);
  v.SetString(u"#&0000001F");
  EXPECT_EQ(v.GetHandle(), 0u);
}

TEST(Value, NumberTextTrimsTrailingZerosAndPoint) {
  // clang-format off
  struct Case {
    double number;
    const char16_t* text;
  } cases[] = {{1.5, u"1.5"}, {100, u"100"}, {0, u"0"}, {1.0 / 3, u"0.33333333"}, {3.0, u"3"},
               {-0.25, u"-0.25"}, {123456789.123456789, u"123456789.12345679"}, {1e-9, u"0"},
               {-1e-9, u"0"}, {-0.0, u"0"}, {4294967296.0, u"4294967296"},
               {-1e20, u"-100000000000000000000"}};  // beyond 64 bits: every digit
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(Num(c.number).GetText(), c.text) << c.number;
  EXPECT_EQ(Str(u"1.50").GetNumber(), 1.5);
  EXPECT_EQ(Num(Str(u"1.50").GetNumber()).GetText(), u"1.5");
}

TEST(Value, StringToNumberAndBool) {
  struct Case {
    const char16_t* text;
    double number;
    bool truth;
  } cases[] = {
      {u"1,234.5", 1234.5, true}, {u"0x1F", 31, false},  {u"0X1f", 31, false}, {u"abc", 0, false},
      {u"", 0, false},            {u"tRuE", 1, true},    {u"t", 1, true},     {u"F", 0, false},
      {u"false", 0, false},       {u"12abc", 12, true},  {u"0.0", 0, false},  {u"-3e2", -300, true},
      {u"  7", 7, true},          {u"0xFFFFFFFFFF", 4294967295.0, false},      {u"Tom", 0, false},
      {u"0x", 0, false},          {u"1,2,3", 123, true}, {u"inf", 0, false},  {u"nan", 0, false},
      {u"007", 7, true},          {u"0", 0, false},      {u"123456789", 123456789, true},
      {u"12345678901", 12345678901.0, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Str(c.text).GetNumber(), c.number) << Utf16ToUtf8(c.text);
    EXPECT_EQ(Str(c.text).GetBool(), c.truth) << Utf16ToUtf8(c.text);
  }
}

TEST(Value, BoolOverAllElementsOrAnyOfThem) {
  EXPECT_FALSE(CNValue().GetBoolAll(0));
  EXPECT_TRUE(CNValue().GetBoolAll(1));
  for (const auto& [literal, any, all] :
       {std::tuple{u"c(0,0,1)", true, false}, {u"c(1,\"T\",T)", true, true}, {u"c(0,F)", false, false}}) {
    EXPECT_EQ(Lit(literal).GetBoolAll(0), any) << Utf16ToUtf8(literal);
    EXPECT_EQ(Lit(literal).GetBoolAll(1), all) << Utf16ToUtf8(literal);
  }
}

TEST(Value, EqualityModes) {
  CNValue a = Lit(u"c(1,\"x\",#N/A#)"), b = Lit(u"c(1,\"x\",#N/A#)");
  a.SetQuality(VQ_GOOD);
  b.SetTimeStamp(5);
  EXPECT_TRUE(a.IsEqual(kCompareContents, b));
  EXPECT_FALSE(a.IsEqual(kCompareQuality, b));
  EXPECT_FALSE(a.IsEqual(kCompareTimeStamp, b));
  EXPECT_TRUE(a.IsEqual(0, b));

  // Kinds must match; shape is not compared, NaN never equals itself.
  EXPECT_FALSE(Lit(u"1").IsEqual(kCompareContents, Lit(u"T")));
  EXPECT_TRUE(Lit(u"c(c(1,2),c(3,4))").IsEqual(kCompareContents, Lit(u"c(1,2,3,4)")));
  EXPECT_FALSE(Lit(u"c(c(1,2),c(3,4))").IsSameShape(Lit(u"c(1,2,3,4)")));
  EXPECT_FALSE(Num(std::nan("")).IsEqual(kCompareContents, Num(std::nan(""))));
  EXPECT_FALSE(Lit(u"c(1,2)").IsEqual(kCompareContents, Lit(u"1")));
}

TEST(Value, IncrementTouchesNumbersOnlyAndMoveLeavesTheSourceEmpty) {
  CNValue v = Lit(u"c(1,\"a\",T,2.5)");
  v.Increment();
  EXPECT_EQ(LitText(v), "c(2,\"a\",T,3.5)");
  v.Decrement();
  v.Decrement();
  EXPECT_EQ(LitText(v), "c(0,\"a\",T,1.5)");
  CNValue moved(std::move(v));
  EXPECT_EQ(LitText(moved), "c(0,\"a\",T,1.5)");
  EXPECT_TRUE(v.IsEmpty());  // NOLINT(bugprone-use-after-move)
}
