#include <gtest/gtest.h>

#include <cmath>

#include "value_test_util.h"
#include "values/value.h"

namespace {

struct OperationCase {
  const char16_t* left;
  int op;
  const char16_t* right;
  const char* result;
};

void ExpectResults(std::initializer_list<OperationCase> cases) {
  for (const OperationCase& c : cases)
    EXPECT_EQ(LitText(Op(c.op, Lit(c.left), Lit(c.right))), c.result)
        << Utf16ToUtf8(c.left) << " op " << c.op << " " << Utf16ToUtf8(c.right);
}

}  // namespace

TEST(ValueArithmetic, RightOperandRepeatsCyclicallyOverTheLeft) {
  ExpectResults({
      {u"c(1,2,3)", VOP_ADD, u"10", "c(11,12,13)"},
      {u"c(1,2,3)", VOP_ADD, u"c(10,20)", "c(11,22,13)"},
      {u"2", VOP_MULTIPLY, u"c(5,6,7)", "10"},  // shaped like the left
      {u"c(c(1,2),c(3,4))", VOP_SUBTRACT, u"1", "c(c(0,1),c(2,3))"},
      {u"c(4,5,6)", VOP_DIVIDE, u"c(2,0)", "c(2,#N/A#,3)"},
  });
}

TEST(ValueArithmetic, EmptyAndNotAvailableOperandsCompareEqualOnlyToThemselves) {
  ExpectResults({
      {u"#NOTHING#", VOP_ADD, u"1", "#NOTHING#"},
      {u"1", VOP_ADD, u"#NOTHING#", "#NOTHING#"},
      {u"#NOTHING#", VOP_EQUAL, u"#NOTHING#", "T"},
      {u"#NOTHING#", VOP_NOTEQUAL, u"#NOTHING#", "F"},
      {u"#NOTHING#", VOP_EQUAL, u"1", "F"},
      {u"1", VOP_NOTEQUAL, u"#NOTHING#", "T"},
      {u"#N/A#", VOP_EQUAL, u"#N/A#", "T"},
      {u"#N/A#", VOP_NOTEQUAL, u"#N/A#", "F"},
      {u"#N/A#", VOP_EQUAL, u"1", "F"},
      {u"1", VOP_NOTEQUAL, u"#N/A#", "T"},
  });
  for (int op : {VOP_GREATER, VOP_ADD, VOP_AND, VOP_OR, VOP_BITAND, VOP_DIVIDE})
    EXPECT_EQ(Op(op, Lit(u"#N/A#"), Num(1)).GetKind(0), VK_NA) << op;
}

TEST(ValueArithmetic, ComparisonConvertsTheRightToTheLeftKind) {
  ExpectResults({
      {u"\"10\"", VOP_EQUAL, u"10", "T"},    // the number becomes the text "10"
      {u"10", VOP_EQUAL, u"\"10.0\"", "T"},  // the text becomes the number 10
      {u"\"10\"", VOP_EQUAL, u"10.0", "T"},  // display text of 10.0 is "10"
      {u"\"9\"", VOP_GREATER, u"10", "T"},   // texts compare by code units
      {u"9", VOP_GREATER, u"\"10\"", "F"},
      {u"\"abc\"", VOP_LESS, u"\"abd\"", "T"},
      {u"\"ab\"", VOP_LESS, u"\"abc\"", "T"},
      {u"T", VOP_EQUAL, u"5", "T"},  // 5 as bool is true
      {u"F", VOP_LESS, u"T", "T"},
      {u"#&00000002#", VOP_GREATER, u"1", "T"},
      {u"c(1,5,3)", VOP_GREATEREQUAL, u"3", "c(F,T,T)"},
      {u"c(1,5,3)", VOP_LESSEQUAL, u"c(1,4)", "c(T,F,F)"},
  });
  // NaN compares false, except that it is not equal to anything.
  const CNValue nan = Num(std::nan(""));
  for (int op : {VOP_EQUAL, VOP_GREATER, VOP_GREATEREQUAL, VOP_LESS, VOP_LESSEQUAL})
    EXPECT_EQ(LitText(Op(op, nan, Num(1))), "F") << op;
  EXPECT_EQ(LitText(Op(VOP_NOTEQUAL, nan, nan)), "T");
  EXPECT_EQ(LitText(Op(VOP_EQUAL, nan, nan)), "F");
}

TEST(ValueArithmetic, LogicalBitAndArithmeticOperators) {
  ExpectResults({
      {u"5", VOP_BITAND, u"3", "1"},
      {u"5", VOP_BITOR, u"3", "7"},
      {u"\"a\"", VOP_BITAND, u"\"b\"", "\"ab\""},
      {u"\"a\"", VOP_BITOR, u"\"b\"", "\"ab\""},
      {u"-1", VOP_BITAND, u"65280", "65280"},  // 32-bit, unsigned
      {u"-1", VOP_BITOR, u"0", "4294967295"},
      {u"\"12\"", VOP_BITAND, u"4", "4"},
      {u"2", VOP_AND, u"\"T\"", "T"},
      {u"0", VOP_OR, u"\"\"", "F"},
      {u"\"ab\"", VOP_ADD, u"\"cd\"", "\"abcd\""},
      {u"\"5\"", VOP_ADD, u"1", "6"},
      {u"1", VOP_ADD, u"T", "2"},
      {u"\"1,000\"", VOP_SUBTRACT, u"1", "999"},
      {u"\"x\"", VOP_MULTIPLY, u"3", "0"},
      {u"7", VOP_DIVIDE, u"2", "3.5"},
      {u"5", VOP_DIVIDE, u"0", "#N/A#"},
  });
}

TEST(ValueArithmetic, TimeArithmeticInSecondsWithMillisecondResolution) {
  CNValue t;
  t.SetTime(133'000'000'000'000'000ull);
  EXPECT_EQ(Op(VOP_ADD, t, Num(90)).GetTime(0), t.GetTime(0) + 90 * kTicksPerSecond);
  EXPECT_EQ(Op(VOP_ADD, t, Num(0.5)).GetTime(0), t.GetTime(0) + 5'000'000);
  EXPECT_EQ(Op(VOP_ADD, t, Str(u"2")).GetTime(0), t.GetTime(0) + 2 * kTicksPerSecond);
  EXPECT_EQ(Op(VOP_SUBTRACT, t, Num(1)).GetTime(0), t.GetTime(0) - kTicksPerSecond);
  EXPECT_EQ(Op(VOP_ADD, t, t).GetKind(0), VK_NA);

  CNValue later;
  later.SetTime(t.GetTime(0) + 12'345'678);  // 1.2345678 s: whole milliseconds only
  EXPECT_EQ(Op(VOP_SUBTRACT, later, t).GetNumber(0), 1.234);
  EXPECT_EQ(Op(VOP_SUBTRACT, t, later).GetNumber(0), -1.234);
  EXPECT_EQ(Op(VOP_SUBTRACT, t, Lit(u"#&00000003#")).GetKind(0), VK_NA);
  // A number on the left is plain arithmetic on the tick count.
  EXPECT_EQ(Op(VOP_ADD, Num(1), t).GetKind(0), VK_NUMBER);
}

TEST(ValueArithmetic, UnknownOperationsAndResultsThatAliasAnOperand) {
  CNValue result;
  EXPECT_FALSE(CNValue::Operate(99, result, Lit(u"c(1,2)"), Num(1)));
  EXPECT_EQ(LitText(result), "c(#N/A#,#N/A#)");
  EXPECT_FALSE(CNValue::Operate(-1, result, Num(1), Num(1)));

  CNValue a = Lit(u"c(1,2)");
  CNValue::Operate(VOP_ADD, a, a, a);
  EXPECT_EQ(LitText(a), "c(2,4)");
  CNValue s = Str(u"x");
  CNValue::Operate(VOP_ADD, s, s, Str(u"y"));
  EXPECT_EQ(LitText(s), "\"xy\"");
}
