#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binds/bind_script_parser_impl.h"
#include "binds/fake_owner.h"
#include "support/utf16_text.h"

namespace {

struct ErrorCase {
  const char16_t* script;
  CompilerErrorCode code;
  const char* message;
  uint32_t line;
  uint32_t column;
};

TEST(BindCompile, ErrorsWithTheirTextsAndPositions) {
  const ErrorCase cases[] = {
      // Error 6 names the constant the script assigns to.
      {u"5 = 3", CE_ASSIGN_TO_CONSTANT, "Assigment operation on a constant 5", 1, 0},
      {u"$A + \"x\" += 1", CE_ASSIGN_TO_CONSTANT, "Assigment operation on a constant \"x\"", 1, 5},
      {u"(;", CE_UNEXPECTED_SEMICOLON, "Unexpected Semicolon ;", 1, 1},
      {u"{default}{1 + ;}", CE_UNEXPECTED_SEMICOLON, "Unexpected Semicolon ;", 1, 14},
      {u"$A & \"abc", CE_INVALID_TOKEN, "End Quotes missing", 1, 5},
      {u"$A & \"a\"\"", CE_INVALID_TOKEN, "End Quotes missing", 1, 5},
      {u"'abc", CE_INVALID_TOKEN, "End Quotes missing", 1, 0},
      {u"$A +\r 1", CE_INVALID_TOKEN, " Invalid character found", 1, 4},
      // Positions count in the script as written, not in the case list it is wrapped in.
      {u"(1 + 2", CE_INVALID_TOKEN, "Invalid token }", 1, 6},
      {u"* 2", CE_INVALID_TOKEN, "Invalid token *", 1, 0},
      {u"null", CE_INVALID_TOKEN, "Invalid token null", 1, 0},
      {u"1 +", CE_INVALID_TOKEN, "Invalid token }", 1, 3},
      {u"::Max(1 2)", CE_MISSING_CLOSE_PAREN, "Missing token ) 2", 1, 8},
      {u"{$A}{1", CE_MISSING_CLOSE_BRACE, "Missing token } ;", 1, 6},
      {u"{$A}1", CE_MISSING_OPEN_BRACE, "Missing token { 1", 1, 4},
      {u"{$A}{1}{2}", CE_MISSING_SEMICOLON, "Missing ; {", 1, 7},
      {u"{1}{2};x", CE_INVALID_TOKEN, "Invalid token x", 1, 7},
      {u"$A\n\t\t$B", CE_MISSING_CLOSE_BRACE, "Missing token } $B", 2, 11},
      {u"\t$A $B", CE_MISSING_CLOSE_BRACE, "Missing token } $B", 1, 8},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.script));
    CNPBindScriptParserInput bind;
    EXPECT_FALSE(bind.Compile(c.script));
    EXPECT_FALSE(bind.IsCompiled());
    const CTagParserCompilerError& error = bind.GetError();
    EXPECT_EQ(error.GetCode(), c.code);
    EXPECT_EQ(Utf16ToUtf8(error.GetMessage()), c.message);
    EXPECT_EQ(error.GetLine(), c.line);
    EXPECT_EQ(error.GetColumn(), c.column);
  }
}

TEST(BindCompile, NestingAndArgumentCountsHaveLimits) {
  CNPBindScriptParserInput bind;
  EXPECT_TRUE(bind.Compile(std::u16string(200, u'(') + u"1" + std::u16string(200, u')')));
  EXPECT_FALSE(bind.Compile(std::u16string(5000, u'(') + u"1" + std::u16string(5000, u')')));
  EXPECT_EQ(bind.GetError().GetCode(), CE_INVALID_TOKEN);
  EXPECT_FALSE(bind.Compile(std::u16string(5000, u'-') + u"1"));
  EXPECT_TRUE(bind.Compile(u"f(" + std::u16string(65534, u',') + u")"));
  EXPECT_FALSE(bind.Compile(u"f(" + std::u16string(65535, u',') + u")"));
  EXPECT_EQ(bind.GetError().GetCode(), CE_ARGUMENT_COUNT);
}

TEST(BindCompile, ConnectSubscribesTheNameTableInNameOrder) {
  CFakeOwner owner;
  CNPBindScriptParserOutput bind;
  bind.SetConnectionPoint(&owner);
  // $B is only written: it is subscribed for writing alone. Quoted and bracketed names are
  // names like any other; functions are not.
  ASSERT_TRUE(bind.Compile(u"$B = $A + ::Abs($C) + $A + 'my tag' + [x y]"));
  std::vector<std::u16string> names;
  bind.GetNames(names);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"$A", u"$B", u"$C", u"[x y]", u"my tag"}));
  ASSERT_TRUE(bind.Connect(nullptr));
  EXPECT_TRUE(bind.IsConnected());
  ASSERT_EQ(owner.subscribed.size(), 5u);
  const uint32_t directions[] = {1, 0, 1, 1, 1};
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(owner.subscribed[i].name, names[i]);
    EXPECT_EQ(owner.subscribed[i].direction, directions[i]) << i;
  }
  bind.Disconnect(nullptr);
  EXPECT_FALSE(bind.IsConnected());
  EXPECT_EQ(owner.unsubscribed, names);
}

TEST(BindCompile, RefusedNameUndoesTheConnect) {
  CFakeOwner owner;
  owner.refused.insert(u"$C");
  CNPBindScriptParserInput bind;
  bind.SetConnectionPoint(&owner);
  ASSERT_TRUE(bind.Compile(u"$A + $B + $C + $D"));
  EXPECT_FALSE(bind.Connect(nullptr));
  EXPECT_FALSE(bind.IsConnected());
  EXPECT_EQ(owner.subscribed.size(), 2u);
  EXPECT_EQ(owner.unsubscribed, (std::vector<std::u16string>{u"$A", u"$B"}));
}

}  // namespace
