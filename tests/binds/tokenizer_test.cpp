#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binds/tag_parser_tokenizer.h"
#include "support/utf16_text.h"

namespace {

using List = std::vector<std::string>;

// Every token up to and including the end of the text as "kind:text".
List Tokens(std::u16string_view text) {
  CTagParserTokenizer tokenizer(text);
  List tokens;
  for (;;) {
    CTagParserToken token;
    tokenizer.Next(token);
    tokens.push_back(std::to_string(token.kind) + ":" + Utf16ToUtf8(token.text));
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

}  // namespace
