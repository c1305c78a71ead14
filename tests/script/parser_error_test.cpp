#include <gtest/gtest.h>

#include <string>

#include "script/compiler_error.h"
#include "script_parse_util.h"

namespace {

struct ErrorCase {
  const char16_t* source;
  CompilerErrorCode code;
  const char* message;
  uint32_t line;
  uint32_t column;
};

}  // namespace

TEST(ParserErrors, EachErrorHasItsCodeTextAndPosition) {
  const ErrorCase cases[] = {
      // Declarations and functions.
      {u"x = 1;", CE_INVALID_TOKEN, "Invalid token x", 1, 0},
      {u"var a.b;", CE_DOT_IN_IDENTIFIER, "Identifier contains dot character a.b", 1, 4},
      {u"var 5;", CE_INVALID_IDENTIFIER, "Invalid Identifier 5", 1, 4},
      {u"var ::g;", CE_INVALID_IDENTIFIER, "Invalid Identifier ::g", 1, 4},
      {u"var a; var a;", CE_DUPLICATE_DECLARATION, "Duplicate declaration of Identifier a", 1, 11},
      {u"var a, a;", CE_DUPLICATE_DECLARATION, "Duplicate declaration of Identifier a", 1, 7},
      {u"var a; function a() {}", CE_DUPLICATE_DECLARATION, "Duplicate declaration of Identifier a", 1, 16},
      {u"event f() {} var f;", CE_DUPLICATE_DECLARATION, "Duplicate declaration of Identifier f", 1, 17},
      {u"var a = 1", CE_MISSING_SEMICOLON, "Missing ; ", 1, 9},
      {u"var a = 1 b", CE_MISSING_SEMICOLON, "Missing ; b", 1, 10},
      {u"function if() {}", CE_INVALID_IDENTIFIER, "Invalid Identifier if", 1, 9},
      {u"function a.b() {}", CE_DOT_IN_IDENTIFIER, "Identifier contains dot character a.b", 1, 9},
      {u"function f {", CE_MISSING_OPEN_PAREN, "Missing token ( {", 1, 11},
      {u"function f(a, a) {}", CE_DUPLICATE_DECLARATION, "Duplicate declaration of Identifier a", 1, 14},
      {u"function f(a.b) {}", CE_DOT_IN_IDENTIFIER, "Identifier contains dot character a.b", 1, 11},
      {u"function f(a,) {}", CE_INVALID_TOKEN, "Invalid token )", 1, 13},
      {u"function f(&1) {}", CE_INVALID_TOKEN, "Invalid token 1", 1, 12},
      {u"function f(a b) {}", CE_MISSING_CLOSE_PAREN, "Missing token ) b", 1, 13},
      {u"function f() x", CE_MISSING_OPEN_BRACE, "Missing token { x", 1, 13},
      {u"function f() { var a; var a; }", CE_DUPLICATE_DECLARATION, "Duplicate declaration of Identifier a",
       1, 26},
      {u"function f(a) { var a; }", CE_DUPLICATE_DECLARATION, "Duplicate declaration of Identifier a", 1, 20},
      {u"function f() { x = 1;", CE_UNEXPECTED_END, "Unexpected End of script", 1, 21},
      {u"var s = \"abc;", CE_INVALID_TOKEN, "Invalid token End Quotes missing", 1, 8},
      {u"var t = #12#;", CE_INVALID_TOKEN, "Invalid token Check the # token usage", 1, 8},
      {u"function f()\n{\n\tvar x = @;\n}", CE_INVALID_TOKEN, "Invalid token  Invalid character found", 3,
       14},
      // Statements.
      {u"function f() { break; }", CE_ILLEGAL_BREAK, "Illegal 'break' statement", 1, 15},
      {u"function f()\n{\n\tbreak;\n}", CE_ILLEGAL_BREAK, "Illegal 'break' statement", 3, 6},
      {u"function f() { continue; }", CE_ILLEGAL_CONTINUE, "Illegal 'continue' statement", 1, 15},
      {u"function f() { switch (x) { case 1: continue; } }", CE_ILLEGAL_CONTINUE,
       "Illegal 'continue' statement", 1, 36},
      {u"function f() { while (x) break x; }", CE_MISSING_SEMICOLON, "Missing ; x", 1, 31},
      {u"function f() { return ); }", CE_INVALID_TOKEN, "Invalid token )", 1, 22},
      {u"function f() { return 1 }", CE_MISSING_SEMICOLON, "Missing ; }", 1, 24},
      {u"function f() { , }", CE_INVALID_TOKEN, "Invalid token ,", 1, 15},
      {u"function f() { ] }", CE_INVALID_TOKEN, "Invalid token ]", 1, 15},
      {u"function f() { else x; }", CE_INVALID_TOKEN, "Invalid token else", 1, 15},
      {u"function f() { a = 1 b = 2; }", CE_MISSING_SEMICOLON, "Missing ; b", 1, 21},
      {u"function f() { {", CE_INVALID_TOKEN, "Invalid token ", 1, 16},
      {u"function f() { if x; }", CE_INVALID_TOKEN, "Invalid token x", 1, 18},
      {u"function f() { if (x; }", CE_INVALID_TOKEN, "Invalid token ;", 1, 20},
      {u"function f() { if (x] }", CE_UNMATCHED_BRACKET, "Unmatching token ] ]", 1, 20},
      {u"function f() { if (x) } }", CE_MISSING_OPEN_BRACE, "Missing token { }", 1, 22},
      {u"function f() { if (x) {", CE_MISSING_CLOSE_PAREN, "Missing token ) ", 1, 23},
      {u"function f() { if (x) y; else {", CE_MISSING_CLOSE_PAREN, "Missing token ) ", 1, 31},
      {u"function f() { if (x)", CE_UNEXPECTED_END, "Unexpected End of script", 1, 21},
      {u"function f() { while x; }", CE_INVALID_TOKEN, "Invalid token x", 1, 21},
      {u"function f() { while (x) {", CE_MISSING_CLOSE_BRACE, "Missing token } ", 1, 26},
      {u"function f() { for x; }", CE_INVALID_TOKEN, "Invalid token x", 1, 19},
      {u"function f() { for (a b; }", CE_MISSING_SEMICOLON, "Missing ; b", 1, 22},
      {u"function f() { for (;a b) {} }", CE_MISSING_SEMICOLON, "Missing ; b", 1, 23},
      {u"function f() { for (;; a b) {} }", CE_INVALID_TOKEN, "Invalid token b", 1, 25},
      {u"function f() { for (;;) } }", CE_MISSING_OPEN_BRACE, "Missing token { }", 1, 24},
      {u"function f() { for (;;) {", CE_MISSING_CLOSE_BRACE, "Missing token } ", 1, 25},
      {u"function f() { for (var i = 0 i; }", CE_MISSING_SEMICOLON, "Missing ; i", 1, 30},
      {u"function f() { with x {} }", CE_INVALID_TOKEN, "Invalid token x", 1, 20},
      {u"function f() { with (5) {} }", CE_INVALID_TOKEN, "Invalid token 5", 1, 21},
      {u"function f() { with (.a) {} }", CE_INVALID_TOKEN, "Invalid token .a", 1, 21},
      {u"function f() { with (this x) {} }", CE_INVALID_TOKEN, "Invalid token x", 1, 26},
      {u"function f() { with (this) x; }", CE_INVALID_TOKEN, "Invalid token x", 1, 27},
      {u"function f() { with (this) {", CE_MISSING_CLOSE_BRACE, "Missing token } ", 1, 28},
      // Switch.
      {u"function f() { switch (x) { case 1: case 1: } }", CE_CASE_VALUE_USED, "case value already used - 1",
       1, 41},
      {u"function f() { switch (x) { case 1: y; case 0x1: } }", CE_CASE_VALUE_USED,
       "case value already used - 0x1", 1, 44},
      {u"function f() { switch (x) { case -2: case -2.0: } }", CE_CASE_VALUE_USED,
       "case value already used - -2.0", 1, 43},
      {u"function f() { switch (x) { case \"a\": case \"a\": } }", CE_CASE_VALUE_USED,
       "case value already used - \"a\"", 1, 43},
      {u"function f() { switch (x) { case #day#: case #day#: } }", CE_CASE_VALUE_USED,
       "case value already used - #day#", 1, 45},
      {u"function f() { switch (x) { default: default: } }", CE_MORE_THAN_ONE, "more than one default", 1,
       37},
      {u"function f() { switch (x) { } }", CE_EMPTY_SWITCH, "Empty 'switch' statement", 1, 15},
      {u"function f() { switch (x) { y; case 1: } }", CE_INVALID_TOKEN, "Invalid token y", 1, 28},
      {u"function f() { switch (x) { case y: } }", CE_INVALID_TOKEN, "Invalid token y", 1, 33},
      {u"function f() { switch (x) { case -\"a\": } }", CE_INVALID_TOKEN, "Invalid token \"a\"", 1, 34},
      {u"function f() { switch (x) { case 1 } }", CE_INVALID_TOKEN, "Invalid token }", 1, 35},
      {u"function f() { switch (x) y }", CE_MISSING_OPEN_BRACE, "Missing token { y", 1, 26},
      {u"function f() { switch x }", CE_INVALID_TOKEN, "Invalid token x", 1, 22},
      {u"function f() { switch (x) { case 1:", CE_MISSING_CLOSE_BRACE, "Missing token } ", 1, 35},
      // Expressions.
      {u"function f() { 5 = 3; }", CE_ASSIGN_TO_CONSTANT, "Assigment operation on a constant 5", 1, 15},
      {u"function f() { x = \"s\" += 1; }", CE_ASSIGN_TO_CONSTANT, "Assigment operation on a constant \"s\"",
       1, 19},
      {u"function f() { x = (; }", CE_UNEXPECTED_SEMICOLON, "Unexpected Semicolon ;", 1, 20},
      {u"function f() { x = ; }", CE_UNEXPECTED_SEMICOLON, "Unexpected Semicolon ;", 1, 19},
      {u"function f() { x = (1]; }", CE_UNMATCHED_BRACKET, "Unmatching token ] ]", 1, 21},
      {u"function f() { x = (1 2); }", CE_INVALID_TOKEN, "Invalid token 2", 1, 22},
      {u"function f() { x = (1", CE_INVALID_TOKEN, "Invalid token ", 1, 21},
      {u"function f() { x = ", CE_UNEXPECTED_END, "Unexpected End of script", 1, 19},
      {u"function f() { a[1; }", CE_MISSING_CLOSE_BRACKET, "Missing token ] ;", 1, 18},
      {u"function f() { a[1); }", CE_UNMATCHED_BRACKET, "Unmatching token ] )", 1, 18},
      {u"function f() { a[]; }", CE_INVALID_TOKEN, "Invalid token ]", 1, 17},
      {u"function f() { g(1; }", CE_MISSING_CLOSE_PAREN, "Missing token ) ;", 1, 18},
      {u"function f() { g(1]; }", CE_UNMATCHED_BRACKET, "Unmatching token ] ]", 1, 18},
      {u"function f() { g(1,); }", CE_INVALID_TOKEN, "Invalid token )", 1, 19},
      {u"function f() { new (1); }", CE_MISSING_IDENTIFIER, "Missing Identifier (", 1, 19},
      {u"function f() { new Foo; }", CE_MISSING_OPEN_PAREN, "Missing token ( ;", 1, 22},
      {u"function f() { delete 5; }", CE_MISSING_IDENTIFIER, "Missing Identifier 5", 1, 22},
      {u"function f() { x = c 1; }", CE_MISSING_OPEN_PAREN, "Missing token ( 1", 1, 21},
      {u"function f() { x = * 2; }", CE_INVALID_TOKEN, "Invalid token *", 1, 19},
      {u"function f() { x = 1 ^ ^ 2; }", CE_INVALID_TOKEN, "Invalid token ^", 1, 23},
      {u"function f() { x = if; }", CE_INVALID_TOKEN, "Invalid token if", 1, 19},
      {u"function f() { x = 1 : 2; }", CE_MISSING_SEMICOLON, "Missing ; :", 1, 21},
      {u"function f() { x = g(1 : 2); }", CE_MISSING_CLOSE_PAREN, "Missing token ) :", 1, 23},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(Utf8(c.source));
    const CompiledScript compiled = Compile(c.source);
    EXPECT_FALSE(compiled.ok);
    EXPECT_EQ(compiled.error.GetCode(), c.code);
    EXPECT_EQ(Utf8(compiled.error.GetMessage()), c.message);
    EXPECT_EQ(compiled.error.GetLine(), c.line);
    EXPECT_EQ(compiled.error.GetColumn(), c.column);
    EXPECT_TRUE(compiled.scope->IsEmpty());  // a failed compile leaves nothing behind
  }
}

TEST(ParserErrors, DeepNestingIsAnErrorNotACrash) {
  const std::u16string parentheses =
      u"function f() { x = " + std::u16string(100000, u'(') + u"1" + std::u16string(100000, u')') + u"; }";
  const std::u16string blocks =
      u"function f() { " + std::u16string(100000, u'{') + std::u16string(100000, u'}') + u" }";
  std::u16string ifs = u"function f() { ";
  for (int i = 0; i < 20000; ++i) ifs += u"if (x) ";
  ifs += u"y; }";
  std::u16string calls = u"function f() { x = ";
  for (int i = 0; i < 20000; ++i) calls += u"g(";
  calls += u"1";
  for (const std::u16string& text : {parentheses, blocks, ifs, calls}) {
    const CompiledScript compiled = Compile(text);
    EXPECT_FALSE(compiled.ok);
    EXPECT_EQ(compiled.error.GetCode(), CE_INVALID_TOKEN);
  }
  // Nesting within the limit compiles.
  const std::u16string fine =
      u"function f() { x = " + std::u16string(200, u'(') + u"1" + std::u16string(200, u')') + u"; }";
  EXPECT_TRUE(Compile(fine).ok);
  // Long flat expressions and many prefix operators need no depth at all.
  std::u16string flat = u"function f() { x = 1";
  for (int i = 0; i < 20000; ++i) flat += u" + 1";
  EXPECT_TRUE(Compile(flat + u"; }").ok);
  EXPECT_TRUE(Compile(u"function f() { x = " + std::u16string(20000, u'!') + u"1; }").ok);
}
