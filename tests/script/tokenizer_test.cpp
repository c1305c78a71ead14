#include "script/tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_parse_util.h"

namespace {

// Every token of a text as "kind:text", up to and including the end or the first error.
std::vector<std::string> Tokens(std::u16string_view text) {
  CKVTokenizer tokenizer(text);
  std::vector<std::string> tokens;
  CToken token;
  do {
    tokenizer.Next(token);
    tokens.push_back(std::to_string(token.kind) + ":" + Utf8(token.text));
  } while (token.kind != TK_END && token.kind != TK_ERROR);
  return tokens;
}

using List = std::vector<std::string>;

}  // namespace

TEST(Tokenizer, TextsCutIntoTokensOfTheirKinds) {
  const struct {
    const char16_t* text;
    List tokens;
  } cases[] = {
      {u"var fvTarget = #NOTHING#;", {"0:var", "7:fvTarget", "18:=", "1:#NOTHING#", "32:;", "65:"}},
      {u"::OpenMsg(::GetLoginLastError());",
       {"7:::OpenMsg", "26:(", "7:::GetLoginLastError", "26:(", "27:)", "27:)", "32:;", "65:"}},
      {u"if (parent.g_mustlogin == F)",
       {"0:if", "26:(", "7:parent.g_mustlogin", "14:==", "2:F", "27:)", "65:"}},
      {u"event OnMouseUp(button) { parent.Calendar1.IncPage(0, -1); }",
       {"0:event", "7:OnMouseUp", "26:(", "7:button", "27:)", "24:{", "7:parent.Calendar1.IncPage", "26:(",
        "3:0", "30:,", "13:-", "3:1", "27:)", "32:;", "25:}", "65:"}},
      {u"+ - * / ^ < > == >= <= != <> && || = += -= *= /= &= |= ! & | , : ; [ ] { } ( ) .",
       {"13:+",  "13:-",  "13:*",  "13:/",  "13:^",  "14:<", "14:>",  "14:==", "14:>=",
        "14:<=", "14:!=", "14:<>", "14:&&", "14:||", "18:=", "18:+=", "18:-=", "18:*=",
        "18:/=", "18:&=", "18:|=", "19:!",  "33:&",  "34:|", "30:,",  "31::",  "32:;",
        "28:[",  "29:]",  "24:{",  "25:}",  "26:(",  "27:)", "23:.",  "65:"}},
      // "++" and "--" are two tokens each (the parser joins them); "=<" is "=" then "<".
      {u"a++ --b =< ::",
       {"7:a", "13:+", "13:+", "13:-", "13:-", "7:b", "18:=", "14:<", "31::", "31::", "65:"}},
      {u"!!=|||=", {"19:!", "14:!=", "14:||", "18:|=", "65:"}},
      {u"var function null event if else for continue break return this parent with while switch case "
       u"default",
       {"0:var", "0:function", "0:null", "0:event", "0:if", "0:else", "0:for", "0:continue", "0:break",
        "0:return", "0:this", "0:parent", "0:with", "0:while", "0:switch", "0:case", "0:default", "65:"}},
      {u"new delete c T F TRUE FALSE true False c.x this.y If",
       {"20:new", "21:delete", "22:c", "2:T", "2:F", "2:TRUE", "2:FALSE", "7:true", "7:False", "7:c.x",
        "7:this.y", "7:If", "65:"}},
      // Names take inner points and prefixes.
      {u"parent.g_target.CallCommonEvent a._b a.1 a. b a..b .Name.x ::Root.x",
       {"7:parent.g_target.CallCommonEvent", "7:a._b", "7:a.1", "7:a", "23:.", "7:b", "7:a", "23:.", "6:.b",
        "6:.Name.x", "7:::Root.x", "65:"}},
      {u"12 1.5 0x1F 0X1f 0xg 1. .5 12ab 'A' '''",
       {"3:12", "4:1.5", "3:0x1F", "3:0X1f", "3:0", "7:xg", "3:1", "23:.", "23:.", "3:5", "3:12", "7:ab",
        "3:65", "3:39", "65:"}},
      // Strings keep their quotes and hold doubled quotes as one.
      {u"\"say \"\"hi\"\"\" \"\" \"a//b\"", {"1:\"say \"hi\"\"", "1:\"\"", "1:\"a//b\"", "65:"}},
      // Comments are skipped.
      {u"a // one\nb /* two \n three */ e/**/d // at the end", {"7:a", "7:b", "7:e", "7:d", "65:"}},
      {u"/", {"13:/", "65:"}},
      {u"// only", {"65:"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << Utf8(c.text);
}

TEST(Tokenizer, SpecialConstantsMustBeValueLiterals) {
  for (const char16_t* accepted : {u"#N/A#", u"#NOTHING#", u"#&0000001A#", u"#now#", u"#NOW#", u"#past#",
                                   u"#Future#", u"#day#", u"#week#", u"#day-1d#", u"#day-7d#", u"#week-2w#",
                                   u"#month + 1mo#", u"#2024/03/01 08:00:00#", u"#2024-03-01#", u"#08:30#"}) {
    EXPECT_EQ(Tokens(accepted), (List{"1:" + Utf8(accepted), "65:"}));
  }
  for (const char16_t* refused : {u"#12#", u"#bogus#", u"#&0000001#", u"#&0000001G#", u"#N/A##x#", u"##"}) {
    EXPECT_EQ(Tokens(refused), (List{"66:Check the # token usage"})) << Utf8(refused);
  }
}

TEST(Tokenizer, LexicalErrorsCarryTheirMessageAndPosition) {
  const std::u16string name64(64, u'a');
  const std::u16string dotted128 = std::u16string(63, u'a') + u"." + std::u16string(64, u'b');
  struct Case {
    std::u16string text;
    const char* message;
    uint32_t start;
  } cases[] = {
      {u"x " + name64 + u"a", "Variable name exceeds 64 characters", 2},
      {dotted128 + u"b", "Variable name exceeds 128 characters", 0},
      {u"::" + dotted128 + u"b", "Variable name exceeds 128 characters", 0},
      {u"." + dotted128 + u"b", "Variable name exceeds 128 characters", 0},
      {u"::" + name64 + name64 + u"a", "Variable name exceeds 128 characters", 0},
      {u"x 'AB'", "Invalid Character constant", 2},
      {u"'A", "Invalid Character constant", 0},
      {u"''", "Invalid Character constant", 0},
      {u"x \"abc", "End Quotes missing", 2},
      {u"\"a\"\"", "End Quotes missing", 0},
      {u"a = #N/A", "End # missing", 4},
      {u"#N/A##", "End # missing", 0},
      {u"#12#", "Check the # token usage", 0},
      {u"a /* never closed", " Invalid character found", 2},
      {u"a @", " Invalid character found", 2},
      {u"$x", " Invalid character found", 0},
      {u"x ? y", " Invalid character found", 2},
      {u"\u00e9t\u00e9", " Invalid character found", 0},
  };
  for (const Case& c : cases) {
    CKVTokenizer tokenizer(c.text);
    CToken token;
    do tokenizer.Next(token);
    while (token.kind != TK_ERROR && token.kind != TK_END);
    EXPECT_EQ(token.kind, TK_ERROR) << Utf8(c.text);
    EXPECT_EQ(Utf8(token.text), c.message) << Utf8(c.text);
    EXPECT_EQ(token.start, c.start) << Utf8(c.text);
    // A lexical error ends the text.
    tokenizer.Next(token);
    EXPECT_EQ(token.kind, TK_END);
  }
  // The limits themselves are fine.
  EXPECT_EQ(Tokens(name64), (List{"7:" + Utf8(name64), "65:"}));
  EXPECT_EQ(Tokens(dotted128), (List{"7:" + Utf8(dotted128), "65:"}));
}

TEST(Tokenizer, LinesCountLineFeedsAndColumnsCountTabsAsFiveCharacters) {
  struct Case {
    const char16_t* text;
    uint32_t position;
    uint32_t line;
    uint32_t column;
  } cases[] = {
      {u"ab", 0, 1, 0},                                // on the first line the column is the index itself
      {u"ab", 1, 1, 1},         {u"a\tb", 2, 1, 6},    // the tab counts 4 further columns
      {u"\t\tb", 2, 1, 10},     {u"x\ny", 2, 2, 1},    // after a line feed the distance from it
      {u"x\n\tb", 3, 2, 6},     {u"x\r\ny", 3, 2, 1},  // a carriage return is a character like any other
      {u"\t\n\n  z", 5, 3, 3},                         // tabs on earlier lines do not count
      {u"a\nb\tc\td", 4, 2, 7},                        // tabs after the position do not count either
  };
  for (const Case& c : cases) {
    CKVTokenizer tokenizer(c.text);
    EXPECT_EQ(tokenizer.GetLine(c.position), c.line) << Utf8(c.text);
    EXPECT_EQ(tokenizer.GetColumn(c.position), c.column) << Utf8(c.text);
  }
}
