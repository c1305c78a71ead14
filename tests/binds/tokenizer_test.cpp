#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binds/tag_parser_tokenizer.h"
#include "support/utf16_text.h"

namespace {

using List = std::vector<std::string>;

// Every token up to and including the end of the text as "kind:text", with "@start" when asked.
List Tokens(std::u16string_view text, bool starts = false) {
  CTagParserTokenizer tokenizer(text);
  List tokens;
  for (;;) {
    CTagParserToken token;
    tokenizer.Next(token);
    tokens.push_back(std::to_string(token.kind) + ":" + Utf16ToUtf8(token.text) +
                     (starts ? "@" + std::to_string(token.start) : ""));
    if (tokenizer.IsEndOfText(token)) return tokens;
  }
}

TEST(TagParserTokenizer, KindsAndTexts) {
  const struct {
    const char16_t* text;
    List tokens;
  } cases[] = {
      {uR"(::CStr($_Min$) & "a""b")", {"7:::CStr", "20:(", "7:$_Min$", "21:)", "24:&", R"(1:"a"b")", "23:;"}},
      {u"T F TRUE FALSE True null default",
       {"2:T", "2:F", "2:TRUE", "2:FALSE", "7:True", "0:null", "0:default", "23:;"}},
      // "0X" without a digit is the number 0 and a word; a point at the very end is a dot.
      {u"0x1F 0X 12 3.25 7.", {"3:0x1F", "3:0", "7:X", "3:12", "4:3.25", "3:7", "17:.", "23:;"}},
      {u"a+=b==c<>d&&e|=f=g|h!i!=j*k",
       {"7:a",  "12:+=", "7:b",  "11:==", "7:c",  "11:<>", "7:d",   "11:&&", "7:e",  "12:|=", "7:f",
        "12:=", "7:g",   "25:|", "7:h",   "16:!", "7:i",   "11:!=", "7:j",   "10:*", "7:k",   "23:;"}},
      // Quoted names lose their quotes, bracketed names keep their brackets; "." and ":" stay
      // inside words.
      {u"'my tag' [a b] Math.Sin(x.y:z)",
       {"7:my tag", "7:[a b]", "7:Math.Sin", "20:(", "7:x.y:z", "21:)", "23:;"}},
      {u"{a},\n{\tb};", {"18:{", "7:a", "19:}", "22:,", "18:{", "7:b", "19:}", "23:;", "23:;"}},
      {u"[open", {"7:[open", "23:;"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << Utf16ToUtf8(c.text);
}

TEST(TagParserTokenizer, PositionsAndLevels) {
  CTagParserTokenizer tokenizer(u"a || b\n\t& !c <> (d, e) * f;");
  const uint32_t starts[] = {0, 2, 5, 8, 10, 11, 13, 16, 17, 18, 20, 21, 23, 25, 26, 27};
  const int8_t levels[] = {-1, 3, -1, 6, 11, -1, 7, 12, -1, 1, -1, 12, 10, -1, -100, -100};
  for (size_t i = 0; i < std::size(starts); ++i) {
    CTagParserToken token;
    tokenizer.Next(token);
    EXPECT_EQ(token.start, starts[i]) << i;
    EXPECT_EQ(token.level, levels[i]) << i;
  }
}

TEST(TagParserTokenizer, ALexicalErrorEndsTheText) {
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"a \r b", "26: Invalid character found@2"},
      {u"1 + $", "26: Invalid character found@4"},  // a word cannot start at the last character
      {u"x & \"abc", "26:End Quotes missing@4"},
      {u"x & \"a\"\"", "26:End Quotes missing@4"},
      {u"'abc", "26:End Quotes missing@0"}};
  for (const auto& [text, error] : cases) {
    const List tokens = Tokens(text, true);
    ASSERT_GE(tokens.size(), 2u);
    EXPECT_EQ(tokens[tokens.size() - 2], error) << Utf16ToUtf8(text);
    EXPECT_TRUE(tokens.back().starts_with("23:;@")) << Utf16ToUtf8(text);
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
