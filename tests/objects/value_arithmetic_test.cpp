#include <gtest/gtest.h>

#include <cmath>

#include "value_test_util.h"
#include "values/value.h"

TEST(ValueArithmetic, RightOperandRepeatsCyclicallyOverTheLeft) {
  EXPECT_EQ(LitText(Op(VOP_ADD, Lit(u"c(1,2,3)"), Num(10))), "c(11,12,13)");
  EXPECT_EQ(LitText(Op(VOP_ADD, Lit(u"c(1,2,3)"), Lit(u"c(10,20)"))), "c(11,22,13)");
  EXPECT_EQ(LitText(Op(VOP_MULTIPLY, Num(2), Lit(u"c(5,6,7)"))), "10");  // shaped like the left
  CNValue grid = Op(VOP_SUBTRACT, Lit(u"c(c(1,2),c(3,4))"), Num(1));
  EXPECT_EQ(LitText(grid), "c(c(0,1),c(2,3))");
}

TEST(ValueArithmetic, EmptyOperandsGiveEmptyExceptForEquality) {
  CNValue empty;
  EXPECT_EQ(LitText(Op(VOP_ADD, empty, Num(1))), "#NOTHING#");
  EXPECT_EQ(LitText(Op(VOP_ADD, Num(1), empty)), "#NOTHING#");
  EXPECT_EQ(LitText(Op(VOP_EQUAL, empty, empty)), "T");
  EXPECT_EQ(LitText(Op(VOP_NOTEQUAL, empty, empty)), "F");
  EXPECT_EQ(LitText(Op(VOP_EQUAL, empty, Num(1))), "F");
  EXPECT_EQ(LitText(Op(VOP_NOTEQUAL, Num(1), empty)), "T");
}

TEST(ValueArithmetic, NotAvailableElements) {
  const CNValue na = Lit(u"#N/A#");
  EXPECT_EQ(LitText(Op(VOP_EQUAL, na, na)), "T");
  EXPECT_EQ(LitText(Op(VOP_NOTEQUAL, na, na)), "F");
  EXPECT_EQ(LitText(Op(VOP_EQUAL, na, Num(1))), "F");
  EXPECT_EQ(LitText(Op(VOP_NOTEQUAL, Num(1), na)), "T");
  for (int op : {VOP_GREATER, VOP_ADD, VOP_AND, VOP_OR, VOP_BITAND, VOP_DIVIDE})
    EXPECT_EQ(Op(op, na, Num(1)).GetKind(0), VK_NA) << op;
}

TEST(ValueArithmetic, ComparisonConvertsTheRightToTheLeftKind) {
  struct Case {
    const char16_t* left;
    int op;
    const char16_t* right;
    const char* result;
  } cases[] = {
      {u"\"10\"", VOP_EQUAL, u"10", "T"},       // the number becomes the text "10"
      {u"10", VOP_EQUAL, u"\"10.0\"", "T"},     // the text becomes the number 10
      {u"\"10\"", VOP_EQUAL, u"10.0", "T"},     // display text of 10.0 is "10"
      {u"\"9\"", VOP_GREATER, u"10", "T"},      // texts compare by code units
      {u"9", VOP_GREATER, u"\"10\"", "F"},
      {u"\"abc\"", VOP_LESS, u"\"abd\"", "T"},
      {u"\"ab\"", VOP_LESS, u"\"abc\"", "T"},
      {u"T", VOP_EQUAL, u"5", "T"},              // 5 as bool is true
      {u"F", VOP_LESS, u"T", "T"},
      {u"#&00000002#", VOP_GREATER, u"1", "T"},
      {u"c(1,5,3)", VOP_GREATEREQUAL, u"3", "c(F,T,T)"},
      {u"c(1,5,3)", VOP_LESSEQUAL, u"c(1,4)", "c(T,F,F)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LitText(Op(c.op, Lit(c.left), Lit(c.right))), c.result)
        << Utf16ToUtf8(c.left) << " op " << c.op << " " << Utf16ToUtf8(c.right);
}

TEST(ValueArithmetic, NaNComparesFalseExceptNotEqual) {
  const CNValue nan = Num(std::nan(""));
  for (int op : {VOP_EQUAL, VOP_GREATER, VOP_GREATEREQUAL, VOP_LESS, VOP_LESSEQUAL})
    EXPECT_EQ(LitText(Op(op, nan, Num(1))), "F") << op;
  EXPECT_EQ(LitText(Op(VOP_NOTEQUAL, nan, nan)), "T");
  EXPECT_EQ(LitText(Op(VOP_EQUAL, nan, nan)), "F");
}

TEST(ValueArithmetic, LogicalAndBitOperators) {
  EXPECT_EQ(LitText(Op(VOP_BITAND, Num(5), Num(3))), "1");
  EXPECT_EQ(LitText(Op(VOP_BITOR, Num(5), Num(3))), "7");
  EXPECT_EQ(LitText(Op(VOP_BITAND, Str(u"a"), Str(u"b"))), "\"ab\"");
  EXPECT_EQ(LitText(Op(VOP_BITOR, Str(u"a"), Str(u"b"))), "\"ab\"");
  EXPECT_EQ(LitText(Op(VOP_BITAND, Num(-1), Num(0xFF00))), "65280");  // 32-bit, unsigned
  EXPECT_EQ(LitText(Op(VOP_BITOR, Num(-1), Num(0))), "4294967295");
  EXPECT_EQ(LitText(Op(VOP_BITAND, Str(u"12"), Num(4))), "4");
  EXPECT_EQ(LitText(Op(VOP_AND, Num(2), Str(u"T"))), "T");
  EXPECT_EQ(LitText(Op(VOP_OR, Num(0), Str(u""))), "F");
}

TEST(ValueArithmetic, AddSubtractMultiplyDivide) {
  EXPECT_EQ(LitText(Op(VOP_ADD, Str(u"ab"), Str(u"cd"))), "\"abcd\"");
  EXPECT_EQ(LitText(Op(VOP_ADD, Str(u"5"), Num(1))), "6");
  EXPECT_EQ(LitText(Op(VOP_ADD, Num(1), Lit(u"T"))), "2");
  EXPECT_EQ(LitText(Op(VOP_SUBTRACT, Str(u"1,000"), Num(1))), "999");
  EXPECT_EQ(LitText(Op(VOP_MULTIPLY, Str(u"x"), Num(3))), "0");
  EXPECT_EQ(LitText(Op(VOP_DIVIDE, Num(7), Num(2))), "3.5");
  EXPECT_EQ(Op(VOP_DIVIDE, Num(5), Num(0)).GetKind(0), VK_NA);
  EXPECT_EQ(LitText(Op(VOP_DIVIDE, Lit(u"c(4,5,6)"), Lit(u"c(2,0)"))), "c(2,#N/A#,3)");
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
  CNValue handle;
  handle.SetObject(3);
  EXPECT_EQ(Op(VOP_SUBTRACT, t, handle).GetKind(0), VK_NA);
  // A number on the left is plain arithmetic on the tick count.
  EXPECT_EQ(Op(VOP_ADD, Num(1), t).GetKind(0), VK_NUMBER);
}

TEST(ValueArithmetic, UnknownOperationLeavesNotAvailableElements) {
  CNValue result;
  EXPECT_FALSE(CNValue::Operate(99, result, Lit(u"c(1,2)"), Num(1)));
  EXPECT_EQ(LitText(result), "c(#N/A#,#N/A#)");
  EXPECT_FALSE(CNValue::Operate(-1, result, Num(1), Num(1)));
}

TEST(ValueArithmetic, ResultMayAliasAnOperand) {
  CNValue a = Lit(u"c(1,2)");
  CNValue::Operate(VOP_ADD, a, a, a);
  EXPECT_EQ(LitText(a), "c(2,4)");
  CNValue s = Str(u"x");
  CNValue::Operate(VOP_ADD, s, s, Str(u"y"));
  EXPECT_EQ(LitText(s), "\"xy\"");
}
