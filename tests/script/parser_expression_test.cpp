#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "script_parse_util.h"

TEST(ExpressionPostfix, ExpressionsBecomeTheirPostfixText) {
  const std::pair<const char16_t*, const char*> cases[] = {
      // Precedence and left-to-right grouping.
      {u"2 ^ 3 * 4", "2 3 ^ 4 *"},
      {u"4 * 2 ^ 3", "4 2 3 ^ *"},
      {u"-2 ^ 2", "2 2 ^ unary-"},
      {u"2 ^ -2", "2 2 unary- ^"},
      {u"2 ^ 3 ^ 2", "2 3 ^ 2 ^"},
      {u"1 - 2 - 3", "1 2 - 3 -"},
      {u"8 / 4 * 2", "8 4 / 2 *"},
      {u"1 + 2 * 3", "1 2 3 * +"},
      {u"(1 + 2) * 3", "1 2 + 3 *"},
      {u"a || b && k | d & e == f < g + h * i ^ j", "a b k d e f g h i j ^ * + < == & | && ||"},
      {u"a ^ b * k + d < e == f & g | h && i || j", "a b ^ k * d + e < f == g & h | i && j ||"},
      {u"a < b == k > d", "a b < k d > =="},
      {u"a <> b", "a b !="},
      {u"!a == b", "a unary! b =="},
      {u"-a * b", "a unary- b *"},
      {u"a * -b + k", "a b unary- * k +"},
      {u"- - a", "a unary- unary-"},
      {u"+a", "a unary+"},
      {u"x = y = 1", "x y = 1 ="},
      {u"x += y * 2", "x y 2 * +="},
      {u"x -= 1, y", "error: Missing ; ,"},
      {u"x *= 2 + 1", "x 2 1 + *="},
      {u"x |= \"a\" & \"b\"", "x \"a\" \"b\" & |="},
      {u"x /= 2", "x 2 /="},
      {u"x &= 1", "x 1 &="},
      {u"a = b || k", "a b k || ="},
      // Increments and decrements are doubled signs.
      {u"++i", "i ++"},
      {u"--i", "i --"},
      {u"i++", "i post++"},
      {u"i--", "i post--"},
      {u"-i--", "i post-- unary-"},
      {u"a+++b", "a post++ b +"},
      {u"a + +b", "a b unary+ +"},
      {u"a - -b", "a b unary- -"},
      {u"a[1]++", "a 1 [1] post++"},
      {u"x = ++i * 2", "x i ++ 2 * ="},
      {u"- -i", "i unary- unary-"},
      {u"a++b", "error: Missing ; b"},
      // Operands, calls, indexes and forms.
      {u"parent.Calendar1.IncPage(0, -1)", "0 1 unary- parent.Calendar1.IncPage(2)"},
      {u"::OpenMsg(::GetLoginLastError())", "root.GetLoginLastError(0) root.OpenMsg(1)"},
      {u"g()", "g(0)"},
      {u"g((1), (2 + 3))", "1 2 3 + g(2)"},
      {u"a[1:3, 2]", "a 1 3 : 2 [2]"},
      {u"a[i + 1 : n] = c(1, 2)", "a i 1 + n : [1] 1 2 c(2) ="},
      {u"a[1][2]", "a 1 [1] 2 [1]"},
      {u"-a[1]", "a 1 [1] unary-"},
      {u"2 ^ a[1]", "2 a 1 [1] ^"},
      {u"new Foo(1, 2)", "1 2 new Foo(2)"},
      {u"new Foo()", "new Foo(0)"},
      {u"new Array[2, 3]", "2 3 new Array[2]"},
      {u"delete obj", "delete obj"},
      {u"c(1, c(2, 3))", "1 2 3 c(2) c(2)"},
      {u"c()", "c(0)"},
      {u"'A' + 0x10 + 1.5 + 0X1f", "65 16 + 1.5 + 31 +"},
      {u"\"a\"\"b\" & T & FALSE", "\"a\"b\" T & F &"},
      {u"x = #NOTHING#", "x #NOTHING# ="},
      {u"x = null", "x #NOTHING# ="},
      {u"x = #N/A#", "x #N/A# ="},
      {u"x = #&0000001A#", "x #&0000001A# ="},
      {u"x = 12345678901234567890", "x 12345678901234567168 ="},  // the nearest double
      {u"x = #day-1d#", "x #day-1d# ="},
      {u"this", "this"},
      {u"parent", "parent"},
      {u"this.Value = parent.x", "this.Value parent.x ="},
  };
  for (const auto& [expression, postfix] : cases) EXPECT_EQ(Postfix(expression), postfix) << Utf8(expression);
}
