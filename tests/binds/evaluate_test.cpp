#include <gtest/gtest.h>

#include <string>

#include "binds/bind_factory.h"
#include "binds/bind_script_parser_impl.h"
#include "binds/bind_simple.h"
#include "binds/fake_owner.h"
#include "support/utf16_text.h"

namespace {

// An input bind over owner, compiled and connected.
CRPtr<CNPBindScriptParserInput> Input(CFakeOwner& owner, std::u16string_view script) {
  auto bind = CRPtr<CNPBindScriptParserInput>::Make();
  bind->SetConnectionPoint(&owner);
  EXPECT_TRUE(bind->Compile(script)) << Utf16ToUtf8(bind->GetError().GetMessage());
  EXPECT_TRUE(bind->Connect(nullptr));
  return bind;
}

// The value of an input bind evaluated once, as literal text; "none" when it gives none.
std::string Value(CFakeOwner& owner, std::u16string_view script) {
  auto bind = Input(owner, script);
  CNValue value;
  if (!bind->Evaluate(true, value)) return "none";
  return Literal(value);
}

TEST(BindEvaluate, ExpressionsFollowTheOperatorTable) {
  CFakeOwner owner;
  owner.Set(u"$SYS0", 2);
  owner.Set(u"$N", 5);
  owner.Set(u"$Text", u"ab");
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"$SYS0 == 2", "T"},
      {u"$SYS0 == 3", "F"},
      {u"T", "T"},
      {u"1 + 2 * 3", "7"},
      {u"8 - 4 - 2", "2"},
      {u"16 / 4 / 2", "2"},
      {u"(1 + 2) * 3", "9"},
      {u"-$N + 1", "-4"},
      {u"- -3", "3"},
      {u"!$N || F", "F"},
      {u"1 < 2 && 3 > 4 || 1 == 1", "T"},
      {u"2 <> 2", "F"},
      {u"1 + 2 <> 2", "T"},
      {u"0x10 + 1.5", "17.5"},
      // "&" and "|" join two strings and else work on the bits.
      {u"$Text & \"cd\"", "\"abcd\""},
      {u"\"x\" | $Text", "\"xab\""},
      {u"6 & 3", "2"},
      {u"6 | 3", "7"},
      {u"6 & 3 == 2", "0"},
      {u"\"say \"\"hi\"\"\"", "\"say \"hi\"\""},
      {u"-\"4\"", "-4"},
  };
  for (const auto& [script, value] : cases) EXPECT_EQ(Value(owner, script), value) << Utf16ToUtf8(script);
}

TEST(BindEvaluate, CallsPassArgumentsInOrderAndMarkLeftOutOnes) {
  CFakeOwner owner;
  EXPECT_EQ(Value(owner, u"Math.Max(1, 7, 3)"), "7");
  EXPECT_EQ(Value(owner, u"Args()"), "0");
  EXPECT_EQ(Value(owner, u"Args(1 + 1, , \"c\")"), "3");
  ASSERT_EQ(owner.lastArgs.size(), 3u);
  EXPECT_EQ(Literal(owner.lastArgs[0]), "2");
  EXPECT_TRUE(owner.lastArgs[1].IsEmpty());
  EXPECT_EQ(owner.lastArgs[1].GetFlags() & kValueFlagContent, kValueFlagContent);
  EXPECT_EQ(Literal(owner.lastArgs[2]), "\"c\"");
  EXPECT_EQ(Value(owner, u"Args(,)"), "2");
}

TEST(BindEvaluate, CaseListSelectsTheFirstTrueCondition) {
  CFakeOwner owner;
  auto bind = Input(owner, u"{$A > 10}{1},{$A > 5}{2},{default}{3}");
  const struct {
    double a;
    const char* value;
    int32_t selected;
  } rows[] = {{11, "1", 0}, {6, "2", 1}, {1, "3", 2}};
  for (const auto& row : rows) {
    owner.Set(u"$A", row.a);
    CNValue value;
    ASSERT_TRUE(bind->Evaluate(true, value));
    EXPECT_EQ(Literal(value), row.value);
    EXPECT_EQ(bind->GetSelectedCase(), row.selected);
  }

  // No case selected: no value, the property keeps its own.
  auto partial = Input(owner, u"{$A > 10}{1},{$A > 5}{2}");
  CNValue value;
  value.SetNumber(42);
  EXPECT_FALSE(partial->Evaluate(true, value));
  EXPECT_EQ(Literal(value), "42");
  EXPECT_EQ(partial->GetSelectedCase(), -1);
}

TEST(BindEvaluate, InputRunsWhenDirtyOrWhenItsPeriodComesRound) {
  CFakeOwner owner;
  owner.Set(u"$A", 11);
  auto bind = Input(owner, u"{$A > 10}{\"high\"},{default}{\"low\"}");
  CNValue value;
  EXPECT_FALSE(bind->Evaluate(false, value));
  bind->SetDirty();
  EXPECT_TRUE(bind->Evaluate(false, value));
  EXPECT_FALSE(bind->IsDirty());
  EXPECT_FALSE(bind->Evaluate(false, value));

  bind->SetPeriod(10);
  bind->SetTick(5);
  EXPECT_FALSE(bind->Evaluate(false, value));  // 5 / 10 is still 0
  bind->SetTick(12);
  EXPECT_TRUE(bind->Evaluate(false, value));
  EXPECT_FALSE(bind->Evaluate(false, value));
  EXPECT_EQ(bind->GetPeriod(), 10u);
  // Another case is selected: the periodic re-evaluation stops.
  owner.Set(u"$A", 1);
  bind->SetTick(25);
  EXPECT_TRUE(bind->Evaluate(false, value));
  EXPECT_EQ(Literal(value), "\"low\"");
  EXPECT_EQ(bind->GetPeriod(), 0u);
}

TEST(BindEvaluate, RunTimeErrorsLeaveNoValue) {
  const struct {
    const char16_t* script;
    CompilerErrorCode code;
    const char* message;
    uint32_t line;
    uint32_t column;
  } cases[] = {
      {u"1 +\n $Missing", CE_UNRESOLVED_IDENTIFIER, "Unable to Resolve Identifier $Missing", 2, 2},
      {u"{default}{Fail(1) + 2}", CE_FUNCTION_STOPPED, "Function execution stops for Fail", 1, 10},
      {u"{Fail()}{1}", CE_FUNCTION_STOPPED, "Function execution stops for Fail", 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.script));
    CFakeOwner owner;
    auto bind = Input(owner, c.script);
    CNValue value;
    value.SetNumber(42);
    EXPECT_FALSE(bind->Evaluate(true, value));
    EXPECT_EQ(Literal(value), "42");
    EXPECT_EQ(bind->GetError().GetCode(), c.code);
    EXPECT_EQ(Utf16ToUtf8(bind->GetError().GetMessage()), c.message);
    EXPECT_EQ(bind->GetError().GetLine(), c.line);
    EXPECT_EQ(bind->GetError().GetColumn(), c.column);
  }
}

TEST(BindEvaluate, OutputBindWritesWhenDirty) {
  CFakeOwner owner;
  owner.Set(u"$Value$", 21);
  owner.readOnly.insert(u"$Locked");
  CNPBindScriptParserOutput bind;
  bind.SetConnectionPoint(&owner);
  ASSERT_TRUE(bind.Compile(u"{$Value$ > 0}{$T = $Value$ * 2},{default}{$Locked = 0}"));
  ASSERT_TRUE(bind.Connect(nullptr));
  CNValue ignored;
  EXPECT_FALSE(bind.Evaluate(false, ignored));
  EXPECT_TRUE(owner.writes.empty());
  bind.SetDirty();
  EXPECT_TRUE(bind.Evaluate(false, ignored));
  ASSERT_EQ(owner.writes.size(), 1u);
  EXPECT_EQ(owner.writes[0].first, u"$T");
  EXPECT_EQ(Literal(owner.writes[0].second), "42");

  // "=" gives whether the owner took the write; compound assignments store nothing.
  EXPECT_EQ(Value(owner, u"$T = 5"), "T");
  EXPECT_EQ(Value(owner, u"$Locked = 5"), "F");
  EXPECT_EQ(Value(owner, u"(1) = 5"), "F");
  const size_t writes = owner.writes.size();
  Value(owner, u"$T += 1");
  EXPECT_EQ(owner.writes.size(), writes);
}

TEST(BindFactory, SingleNamesGetTheLightFlavour) {
  const struct {
    const char16_t* script;
    bool simple;
  } cases[] = {
      {u"$SYS0", true}, {u" 'my tag' ", true}, {u"[a b]", true}, {u"$A + 1", false},
      {u"T", false},    {u"$A;", false},       {u"f()", false},  {u"'open", false},
  };
  for (const auto& c : cases) {
    auto bind = MakeBindScriptParser(c.script, true);
    EXPECT_EQ(dynamic_cast<CNPBindScriptParserSimple*>(bind.Get()) != nullptr, c.simple)
        << Utf16ToUtf8(c.script);
  }
}

TEST(BindFactory, SingleNameBindsReadAndWriteTheirName) {
  CFakeOwner owner;
  owner.Set(u"my tag", 3);
  auto input = MakeBindScriptParser(u"'my tag'", true);
  input->SetConnectionPoint(&owner);
  ASSERT_TRUE(input->Compile(u"'my tag'"));
  ASSERT_TRUE(input->Connect(nullptr));
  CNValue value;
  EXPECT_FALSE(input->Evaluate(false, value));
  input->SetDirty();
  ASSERT_TRUE(input->Evaluate(false, value));
  EXPECT_EQ(Literal(value), "3");

  auto output = MakeBindScriptParser(u"$Out", false);
  output->SetConnectionPoint(&owner);
  ASSERT_TRUE(output->Compile(u"$Out"));
  value.SetString(u"on");
  output->SetDirty();
  EXPECT_FALSE(output->Evaluate(false, value));  // not connected: nothing written
  ASSERT_TRUE(output->Connect(nullptr));
  EXPECT_FALSE(output->Evaluate(false, value));  // not dirty
  output->SetDirty();
  EXPECT_TRUE(output->Evaluate(false, value));
  ASSERT_EQ(owner.writes.size(), 1u);
  EXPECT_EQ(Literal(owner.writes[0].second), "\"on\"");
  EXPECT_EQ(owner.subscribed[0].direction, 1u);
  EXPECT_EQ(owner.subscribed[1].direction, 0u);
}

}  // namespace
