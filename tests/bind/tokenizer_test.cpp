#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binds/tag_parser_tokenizer.h"
#include "support/utf16_text.h"

namespace {

struct Expected {
  TagTokenKind kind;
  const char16_t* text;
};

// Every token up to the end of the text, the end included.
std::vector<CTagParserToken> Tokens(std::u16string_view text) {
  CTagParserTokenizer tokenizer(text);
  std::vector<CTagParserToken> tokens;
  for (;;) {
    CTagParserToken token;
    tokenizer.Next(token);
    tokens.push_back(token);
    if (tokenizer.IsEndOfText(token)) return tokens;
  }
}

struct TokenCase {
  const char16_t* text;
  std::vector<Expected> tokens;
};

TEST(TagParserTokenizer, KindsAndTexts) {
  const TokenCase cases[] = {
      {uR"(::CStr($_Min$) & "a""b")",
       {{TT_NAME, u"::CStr"},
        {TT_OPEN_PAREN, u"("},
        {TT_NAME, u"$_Min$"},
        {TT_CLOSE_PAREN, u")"},
        {TT_AMPERSAND, u"&"},
        {TT_STRING, uR"("a"b")"}}},
      {u"T F TRUE FALSE True null default",
       {{TT_BOOLEAN, u"T"},
        {TT_BOOLEAN, u"F"},
        {TT_BOOLEAN, u"TRUE"},
        {TT_BOOLEAN, u"FALSE"},
        {TT_NAME, u"True"},
        {TT_KEYWORD, u"null"},
        {TT_KEYWORD, u"default"}}},
      // "0X" without a digit is the number 0 and a word; a point at the very end is a dot.
      {u"0x1F 0X 12 3.25 7.",
       {{TT_INTEGER, u"0x1F"},
        {TT_INTEGER, u"0"},
        {TT_NAME, u"X"},
        {TT_INTEGER, u"12"},
        {TT_REAL, u"3.25"},
        {TT_INTEGER, u"7"},
        {TT_DOT, u"."}}},
      {u"a+=b==c<>d&&e|=f=g|h!i!=j*k",
       {{TT_NAME, u"a"},           {TT_ASSIGNMENT, u"+="}, {TT_NAME, u"b"},       {TT_OPERATOR_PAIR, u"=="},
        {TT_NAME, u"c"},           {TT_OPERATOR_PAIR, u"<>"}, {TT_NAME, u"d"},    {TT_OPERATOR_PAIR, u"&&"},
        {TT_NAME, u"e"},           {TT_ASSIGNMENT, u"|="}, {TT_NAME, u"f"},       {TT_ASSIGNMENT, u"="},
        {TT_NAME, u"g"},           {TT_BAR, u"|"},         {TT_NAME, u"h"},       {TT_NOT, u"!"},
        {TT_NAME, u"i"},           {TT_OPERATOR_PAIR, u"!="}, {TT_NAME, u"j"},    {TT_OPERATOR, u"*"},
        {TT_NAME, u"k"}}},
      // Quoted names lose their quotes, bracketed names keep their brackets; "." and ":" stay
      // inside words.
      {u"'my tag' [a b] Math.Sin(x.y:z)",
       {{TT_NAME, u"my tag"},
        {TT_NAME, u"[a b]"},
        {TT_NAME, u"Math.Sin"},
        {TT_OPEN_PAREN, u"("},
        {TT_NAME, u"x.y:z"},
        {TT_CLOSE_PAREN, u")"}}},
      {u"{a},\n{\tb};",
       {{TT_OPEN_BRACE, u"{"},
        {TT_NAME, u"a"},
        {TT_CLOSE_BRACE, u"}"},
        {TT_COMMA, u","},
        {TT_OPEN_BRACE, u"{"},
        {TT_NAME, u"b"},
        {TT_CLOSE_BRACE, u"}"},
        {TT_END, u";"}}},
      {u"[open", {{TT_NAME, u"[open"}}},
  };
  for (const TokenCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    const std::vector<CTagParserToken> tokens = Tokens(c.text);
    ASSERT_EQ(tokens.size(), c.tokens.size() + 1);
    for (size_t i = 0; i < c.tokens.size(); ++i) {
      EXPECT_EQ(tokens[i].kind, c.tokens[i].kind) << i;
      EXPECT_EQ(Utf16ToUtf8(tokens[i].text), Utf16ToUtf8(c.tokens[i].text)) << i;
    }
    EXPECT_EQ(tokens.back().kind, TT_END);
    EXPECT_EQ(Utf16ToUtf8(tokens.back().text), ";");
  }
}

TEST(TagParserTokenizer, PositionsAndLevels) {
  const std::vector<CTagParserToken> tokens = Tokens(u"a || b\n\t& !c <> (d, e) * f;");
  const uint32_t starts[] = {0, 2, 5, 8, 10, 11, 13, 16, 17, 18, 20, 21, 23, 25, 26, 27};
  const int8_t levels[] = {-1, 3, -1, 6, 11, -1, 7, 12, -1, 1, -1, 12, 10, -1, -100, -100};
  ASSERT_EQ(tokens.size(), std::size(starts));
  for (size_t i = 0; i < tokens.size(); ++i) {
    EXPECT_EQ(tokens[i].start, starts[i]) << i;
    EXPECT_EQ(tokens[i].level, levels[i]) << i;
  }
}

TEST(TagParserTokenizer, LexicalErrorsEndTheText) {
  struct ErrorCase {
    const char16_t* text;
    uint32_t start;
    const char* message;
  };
  const ErrorCase cases[] = {
      {u"a \r b", 2, " Invalid character found"},
      {u"1 + $", 4, " Invalid character found"},  // a word cannot start at the last character
      {u"x & \"abc", 4, "End Quotes missing"},
      {u"x & \"a\"\"", 4, "End Quotes missing"},
      {u"'abc", 0, "End Quotes missing"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    const std::vector<CTagParserToken> tokens = Tokens(c.text);
    ASSERT_GE(tokens.size(), 2u);
    const CTagParserToken& error = tokens[tokens.size() - 2];
    EXPECT_EQ(error.kind, TT_ERROR);
    EXPECT_EQ(error.start, c.start);
    EXPECT_EQ(Utf16ToUtf8(error.text), c.message);
  }
}

TEST(TagParserTokenizer, LinesAndColumnsFollowTheEventScriptRule) {
  uint32_t line = 0;
  uint32_t column = 0;
  CTagParserTokenizer::Locate(u"\tab", 1, line, column);
  EXPECT_EQ(line, 1u);
  EXPECT_EQ(column, 5u);
  CTagParserTokenizer::Locate(u"a\n\t\tb", 4, line, column);
  EXPECT_EQ(line, 2u);
  EXPECT_EQ(column, 11u);
}

}  // namespace
