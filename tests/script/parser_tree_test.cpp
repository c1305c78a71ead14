#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_parse_util.h"

namespace {

std::string Text(const CSCExpression& expression) {
  return Utf8(expression.ToText());
}

// The first name of an expression (in postfix order).
const CSCName& FirstName(const CSCExpression& expression) {
  return expression.GetName(0);
}

}  // namespace

TEST(ParserTree, EmptyTextsCompileToEmptyScripts) {
  for (const char16_t* text : {u"", u"  \r\n\t", u"// nothing\n/* at all */", u";;"}) {
    const CompiledScript compiled = Compile(text);
    EXPECT_TRUE(compiled.ok) << Utf8(text);
    EXPECT_TRUE(compiled.scope->IsEmpty());
    EXPECT_EQ(compiled.error.GetCode(), CE_NONE);
  }
}

TEST(ParserTree, SampleIdioms) {
  const CompiledScript compiled = Compile(
      u"var fvTarget = #NOTHING#;\n"
      u"event OnMouseUp(button) { parent.Calendar1.IncPage(0, -1); }\n"
      u"function Login()\n"
      u"{\n"
      u"  ::OpenMsg(::GetLoginLastError());\n"
      u"  if (parent.g_mustlogin == F) { return; }\n"
      u"}\n");
  ASSERT_TRUE(compiled.ok) << Utf8(compiled.error.GetMessage());
  const CSCObject& scope = *compiled.scope;

  ASSERT_EQ(scope.GetVariables().size(), 1u);
  const CSCDeclareStatement& target = *scope.GetVariables()[0];
  EXPECT_EQ(Utf8(target.GetName()), "fvTarget");
  EXPECT_EQ(Utf8(target.GetFullName()), "Form1.Button1.fvTarget");
  EXPECT_EQ(target.GetSlot(), 0);
  EXPECT_EQ(target.GetFunction(), nullptr);
  EXPECT_EQ(Text(target.GetInitialiser()), "#NOTHING#");
  EXPECT_EQ(scope.FindVariable(u"fvTarget"), &target);

  const CSCFunctionStatement& handler = compiled.Function(u"OnMouseUp");
  EXPECT_EQ(Utf8(handler.GetFullName()), "Form1.Button1.OnMouseUp");
  ASSERT_EQ(handler.GetParameters().size(), 1u);
  EXPECT_EQ(Utf8(handler.GetParameters()[0]->GetName()), "button");
  EXPECT_TRUE(handler.GetParameters()[0]->IsParameter());
  EXPECT_EQ(handler.GetSlotCount(), 1u);
  ASSERT_EQ(handler.GetBody().size(), 2u);
  EXPECT_EQ(Text(compiled.Body<CSCExpressionStatement>(u"OnMouseUp", 0).GetExpression()),
            "0 1 unary- parent.Calendar1.IncPage(2)");
  EXPECT_EQ(handler.GetBody()[1]->GetKind(), SK_NOP);
  EXPECT_EQ(Utf8(handler.GetBody()[1]->GetInternalName()), "nop");

  const CSCFunctionStatement& login = compiled.Function(u"Login");
  ASSERT_EQ(login.GetBody().size(), 3u);
  EXPECT_EQ(Text(compiled.Body<CSCExpressionStatement>(u"Login", 0).GetExpression()),
            "root.GetLoginLastError(0) root.OpenMsg(1)");
  const auto& chain = compiled.Body<CSCIfElseIfStatement>(u"Login", 1);
  ASSERT_EQ(chain.GetBranches().size(), 1u);
  EXPECT_EQ(chain.GetElse(), nullptr);
  const CSCIfStatement& branch = *chain.GetBranches()[0];
  EXPECT_EQ(Utf8(branch.GetCondition().GetInternalName()), "if-condition");
  EXPECT_EQ(Text(branch.GetCondition().GetExpression()), "parent.g_mustlogin F ==");
  const auto& block = static_cast<const CSCBraceStatement&>(branch.GetBody());
  EXPECT_EQ(Utf8(block.GetInternalName()), ".Brace");
  ASSERT_EQ(block.GetStatements().size(), 1u);
  EXPECT_EQ(block.GetStatements()[0]->GetKind(), SK_RETURN);
  EXPECT_TRUE(static_cast<const CSCReturnStatement&>(*block.GetStatements()[0]).GetExpression().IsEmpty());
}

TEST(ParserTree, StatementsKnowTheirScriptFunctionSpanAndLine) {
  const std::u16string text =
      u"var a = 1;\n"
      u"function f(p)\n"
      u"{\n"
      u"\tp = a;\n"
      u"\twhile (p)\n"
      u"\t\tp--;\n"
      u"}";
  const CompiledScript compiled = Compile(text);
  ASSERT_TRUE(compiled.ok);
  const CSCFunctionStatement& f = compiled.Function(u"f");
  const auto span = [&](const CSCStatement& s) {
    return Utf8(text.substr(s.GetStart(), s.GetEnd() - s.GetStart()));
  };

  EXPECT_EQ(span(*compiled.scope->GetVariables()[0]), "a = 1");
  EXPECT_EQ(span(f), Utf8(text.substr(11)));
  EXPECT_EQ(f.GetLine(), 2u);
  EXPECT_EQ(span(*f.GetParameters()[0]), "p");
  const auto& assignment = compiled.Body<CSCExpressionStatement>(u"f", 0);
  EXPECT_EQ(span(assignment), "p = a;");
  EXPECT_EQ(assignment.GetLine(), 4u);
  EXPECT_EQ(assignment.GetOwner(), compiled.scope.get());
  EXPECT_EQ(assignment.GetFunction(), &f);
  const auto& loop = compiled.Body<CSCWhileStatement>(u"f", 1);
  EXPECT_EQ(span(loop), "while (p)\n\t\tp--;");
  EXPECT_EQ(span(loop.GetCondition()), "p");
  EXPECT_EQ(Utf8(loop.GetCondition().GetInternalName()), "while-condition");
  EXPECT_EQ(loop.GetBody().GetLine(), 6u);
  EXPECT_EQ(loop.GetBody().GetFunction(), &f);
  const CSCStatement& nop = *f.GetBody().back();
  EXPECT_EQ(span(nop), "}");
  EXPECT_EQ(nop.GetLine(), 7u);
}

TEST(ParserTree, NamesAreResolvedAsFarAsCompilingAllows) {
  const CompiledScript compiled = Compile(
      u"var total;\n"
      u"function Add(&sum, n) {\n"
      u"  m = 0;\n"
      u"  var k = n, m;\n"
      u"  sum += k + total + later + other + m + k.x + total.y;\n"
      u"  Add(sum, 1); this.Add(sum, 2); ::Add(1); x.Add(1); Add.x(1); Other(1); k.Show(); delete k;\n"
      u"}\n"
      u"var later = total;\n");
  ASSERT_TRUE(compiled.ok) << Utf8(compiled.error.GetMessage());
  const CSCFunctionStatement& add = compiled.Function(u"Add");
  EXPECT_TRUE(add.GetParameters()[0]->IsByReference());
  EXPECT_FALSE(add.GetParameters()[1]->IsByReference());
  EXPECT_EQ(add.GetSlotCount(), 4u);  // sum, n, k, m

  // "m = 0" comes before m is declared: not a local there.
  const CSCExpression& early = compiled.Body<CSCExpressionStatement>(u"Add", 0).GetExpression();
  EXPECT_EQ(FirstName(early).GetLocalSlot(), -1);
  EXPECT_EQ(FirstName(early).GetScopeVariable(), -1);
  const auto& k = compiled.Body<CSCDeclareStatement>(u"Add", 1);
  EXPECT_EQ(k.GetSlot(), 2);
  EXPECT_EQ(FirstName(k.GetInitialiser()).GetLocalSlot(), 1);
  EXPECT_EQ(compiled.Body<CSCDeclareStatement>(u"Add", 2).GetSlot(), 3);

  const CSCExpression& sum = compiled.Body<CSCExpressionStatement>(u"Add", 3).GetExpression();
  struct Expected {
    const char* text;
    int32_t local;
    int32_t variable;
  } names[] = {{"sum", 0, -1},    {"k", 2, -1}, {"total", -1, 0}, {"later", -1, 1},
               {"other", -1, -1}, {"m", 3, -1}, {"k.x", 2, -1},   {"total.y", -1, 0}};
  ASSERT_EQ(sum.GetNameCount(), std::size(names));
  for (uint32_t i = 0; i < sum.GetNameCount(); ++i) {
    EXPECT_EQ(Utf8(sum.GetName(i).GetText()), names[i].text);
    EXPECT_EQ(sum.GetName(i).GetLocalSlot(), names[i].local) << names[i].text;
    EXPECT_EQ(sum.GetName(i).GetScopeVariable(), names[i].variable) << names[i].text;
  }

  // Calls of the script's own functions are linked; others are left to run time.
  const CSCFunctionStatement* linked[] = {&add, &add, nullptr, nullptr, nullptr, nullptr, nullptr};
  for (size_t i = 0; i < std::size(linked); ++i) {
    const CSCExpression& call = compiled.Body<CSCExpressionStatement>(u"Add", 4 + i).GetExpression();
    const CSCName& callee = call.GetName(call.GetItems().back().operand);
    EXPECT_EQ(callee.GetFunction(), linked[i]) << Utf8(callee.GetText());
  }
  const CSCName& show = compiled.Body<CSCExpressionStatement>(u"Add", 10).GetExpression().GetName(0);
  EXPECT_EQ(show.GetLocalSlot(), 2);
  const CSCName& deleted = compiled.Body<CSCExpressionStatement>(u"Add", 11).GetExpression().GetName(0);
  EXPECT_EQ(deleted.GetLocalSlot(), 2);

  // Top-level initialisers see the script's variables.
  EXPECT_EQ(FirstName(compiled.scope->GetVariables()[1]->GetInitialiser()).GetScopeVariable(), 0);
}

TEST(ParserTree, NameBasesAndParts) {
  struct Case {
    const char16_t* written;
    NameBase base;
    const char* text;
    std::vector<std::string> parts;
  } cases[] = {
      {u"a", NB_PLAIN, "a", {"a"}},
      {u"a.b.c", NB_PLAIN, "a.b.c", {"a", "b", "c"}},
      {u"::OpenMsg", NB_ROOT, "root.OpenMsg", {"OpenMsg"}},
      {u"::a.b", NB_ROOT, "root.a.b", {"a", "b"}},
      {u"root", NB_ROOT, "root", {}},
      {u"root.x", NB_ROOT, "root.x", {"x"}},
      {u"parent.Calendar1.IncPage", NB_PARENT, "parent.Calendar1.IncPage", {"Calendar1", "IncPage"}},
      {u"this.Value", NB_THIS, "this.Value", {"Value"}},
      {u".Name", NB_WITH, ".Name", {"Name"}},
      {u".Panel.parent", NB_WITH, ".Panel.parent", {"Panel", "parent"}},
  };
  for (const Case& c : cases) {
    const CSCName name(c.written);
    EXPECT_EQ(name.GetBase(), c.base) << Utf8(c.written);
    EXPECT_EQ(Utf8(name.GetText()), c.text);
    std::vector<std::string> parts;
    for (const std::u16string& part : name.GetParts()) parts.push_back(Utf8(part));
    EXPECT_EQ(parts, c.parts) << Utf8(c.written);
  }
}

TEST(ParserTree, WithBlocksGiveMemberNamesTheirObject) {
  const CompiledScript compiled = Compile(
      u"function f() {\n"
      u"  with (parent) { .Name = \"x\"; Visible = F; with (this) { .Caption = .Name; } }\n"
      u"  with (::Panel.Lamp) { .On(); }\n"
      u"  .Stray = 1;\n"
      u"}");
  ASSERT_TRUE(compiled.ok) << Utf8(compiled.error.GetMessage());
  const auto& outer = compiled.Body<CSCWithStatement>(u"f", 0);
  EXPECT_EQ(outer.GetKind(), SK_WITH);
  EXPECT_EQ(Text(outer.GetObject()), "parent");
  EXPECT_EQ(outer.GetOuter(), nullptr);
  ASSERT_EQ(outer.GetStatements().size(), 3u);
  const auto& name = static_cast<const CSCExpressionStatement&>(*outer.GetStatements()[0]).GetExpression();
  EXPECT_EQ(name.GetItems()[0].op, EO_MEMBER);
  EXPECT_EQ(FirstName(name).GetWith(), &outer);
  EXPECT_EQ(Text(name), ".Name \"x\" =");
  const auto& visible = static_cast<const CSCExpressionStatement&>(*outer.GetStatements()[1]).GetExpression();
  EXPECT_EQ(FirstName(visible).GetWith(), &outer);

  const auto& inner = static_cast<const CSCWithStatement&>(*outer.GetStatements()[2]);
  EXPECT_EQ(inner.GetOuter(), &outer);
  EXPECT_EQ(Text(inner.GetObject()), "this");
  const auto& caption = static_cast<const CSCExpressionStatement&>(*inner.GetStatements()[0]).GetExpression();
  EXPECT_EQ(caption.GetName(0).GetWith(), &inner);
  EXPECT_EQ(caption.GetName(1).GetWith(), &inner);

  const auto& lamp = compiled.Body<CSCWithStatement>(u"f", 1);
  EXPECT_EQ(Text(lamp.GetObject()), "root.Panel.Lamp");
  const auto& on = static_cast<const CSCExpressionStatement&>(*lamp.GetStatements()[0]).GetExpression();
  EXPECT_EQ(Text(on), ".On(0)");
  EXPECT_EQ(FirstName(on).GetBase(), NB_WITH);

  // A member name outside any with compiles; it has no object to go to.
  EXPECT_EQ(FirstName(compiled.Body<CSCExpressionStatement>(u"f", 2).GetExpression()).GetWith(), nullptr);
}

TEST(ParserTree, SwitchLabelsStandAmongTheStatementsForFallThrough) {
  const CompiledScript compiled = Compile(
      u"function f(x) {\n"
      u"  switch (x) {\n"
      u"    case 1: a = 1;\n"
      u"    case \"two\": b = 2; break;\n"
      u"    default: d = 3;\n"
      u"    case -4:\n"
      u"  }\n"
      u"}");
  ASSERT_TRUE(compiled.ok) << Utf8(compiled.error.GetMessage());
  const auto& choice = compiled.Body<CSCSwitchCaseStatement>(u"f", 0);
  EXPECT_EQ(Utf8(choice.GetCondition().GetInternalName()), "switch-condition");
  EXPECT_EQ(Text(choice.GetCondition().GetExpression()), "x");
  const CSCBraceStatement& body = choice.GetBody();
  EXPECT_EQ(body.GetLine(), 2u);

  const StatementKind kinds[] = {SK_CASE,  SK_EXPRESSION, SK_CASE,       SK_EXPRESSION,
                                 SK_BREAK, SK_CASE,       SK_EXPRESSION, SK_CASE};
  ASSERT_EQ(body.GetStatements().size(), std::size(kinds));
  for (size_t i = 0; i < std::size(kinds); ++i) EXPECT_EQ(body.GetStatements()[i]->GetKind(), kinds[i]) << i;

  ASSERT_EQ(choice.GetCases().size(), 3u);
  const char* values[] = {"1", "\"two\"", "-4"};
  const uint32_t indexes[] = {0, 2, 7};
  for (size_t i = 0; i < 3; ++i) {
    const CSCCaseStatement& label = *choice.GetCases()[i];
    EXPECT_FALSE(label.IsDefault());
    EXPECT_EQ(Text(label.GetValue()), values[i]);
    EXPECT_EQ(label.GetBodyIndex(), indexes[i]);
    EXPECT_EQ(body.GetStatements()[indexes[i]].get(), &label);
  }
  ASSERT_NE(choice.GetDefault(), nullptr);
  EXPECT_TRUE(choice.GetDefault()->IsDefault());
  EXPECT_EQ(choice.GetDefault()->GetBodyIndex(), 5u);
  EXPECT_TRUE(choice.GetDefault()->GetValue().IsEmpty());
  EXPECT_EQ(&static_cast<const CSCBreakStatement&>(*body.GetStatements()[4]).GetTarget(), &choice);

  // Values of different kinds, and numbers however close, are different cases.
  EXPECT_TRUE(Compile(u"function f() { switch (x) { case 0.123456789: case 0.123456788: case \"1\": case 1: "
                      u"case T: case #N/A#: case #NOTHING#: case #now#: case \"#now#\": } }")
                  .ok);
}

TEST(ParserTree, LoopsAndTheirJumps) {
  const CompiledScript compiled = Compile(
      u"function f() {\n"
      u"  for (var i = 0, j = 1; i < 10; i++) { if (i == 5) continue; switch (i) { case 7: break; } break; "
      u"}\n"
      u"  for (;;) n--;\n"
      u"  for (i = 0; ; ) { while (T) { continue; } }\n"
      u"}");
  ASSERT_TRUE(compiled.ok) << Utf8(compiled.error.GetMessage());
  const auto& counted = compiled.Body<CSCForStatement>(u"f", 0);
  ASSERT_EQ(counted.GetInitialisation().size(), 2u);
  EXPECT_EQ(counted.GetInitialisation()[0]->GetKind(), SK_DECLARE);
  EXPECT_EQ(static_cast<const CSCDeclareStatement&>(*counted.GetInitialisation()[1]).GetSlot(), 1);
  EXPECT_EQ(Utf8(counted.GetCondition()->GetInternalName()), "for-condition");
  EXPECT_EQ(Text(counted.GetCondition()->GetExpression()), "i 10 <");
  EXPECT_EQ(Text(counted.GetStep()->GetExpression()), "i post++");
  const auto& body = static_cast<const CSCBraceStatement&>(counted.GetBody());
  ASSERT_EQ(body.GetStatements().size(), 3u);
  const auto& skip = static_cast<const CSCIfElseIfStatement&>(*body.GetStatements()[0]);
  const auto& jump = static_cast<const CSCContinueStatement&>(skip.GetBranches()[0]->GetBody());
  EXPECT_EQ(&jump.GetTarget(), &counted);
  const auto& inner = static_cast<const CSCSwitchCaseStatement&>(*body.GetStatements()[1]);
  EXPECT_EQ(&static_cast<const CSCBreakStatement&>(*inner.GetBody().GetStatements()[1]).GetTarget(), &inner);
  EXPECT_EQ(&static_cast<const CSCBreakStatement&>(*body.GetStatements()[2]).GetTarget(), &counted);

  const auto& forever = compiled.Body<CSCForStatement>(u"f", 1);
  EXPECT_TRUE(forever.GetInitialisation().empty());
  EXPECT_EQ(forever.GetCondition(), nullptr);
  EXPECT_EQ(forever.GetStep(), nullptr);
  EXPECT_EQ(forever.GetBody().GetKind(), SK_EXPRESSION);

  const auto& third = compiled.Body<CSCForStatement>(u"f", 2);
  EXPECT_EQ(Text(static_cast<const CSCExpressionStatement&>(*third.GetInitialisation()[0]).GetExpression()),
            "i 0 =");
  EXPECT_EQ(third.GetCondition(), nullptr);
  const auto& loop = static_cast<const CSCWhileStatement&>(
      *static_cast<const CSCBraceStatement&>(third.GetBody()).GetStatements()[0]);
  const auto& again = static_cast<const CSCContinueStatement&>(
      *static_cast<const CSCBraceStatement&>(loop.GetBody()).GetStatements()[0]);
  EXPECT_EQ(&again.GetTarget(), &loop);
}

TEST(ParserTree, IfChainsAndBodies) {
  const CompiledScript compiled = Compile(
      u"function f() {\n"
      u"  if (a) x = 1; else if (b) { x = 2; } else if (k) ; else x = 3;\n"
      u"  if (a) if (b) y = 1; else y = 2;\n"
      u"  if (a) var p, q;\n"
      u"  return x + 1;\n"
      u"}");
  ASSERT_TRUE(compiled.ok) << Utf8(compiled.error.GetMessage());
  const auto& chain = compiled.Body<CSCIfElseIfStatement>(u"f", 0);
  ASSERT_EQ(chain.GetBranches().size(), 3u);
  EXPECT_EQ(chain.GetBranches()[0]->GetBody().GetKind(), SK_EXPRESSION);
  EXPECT_EQ(chain.GetBranches()[1]->GetBody().GetKind(), SK_BRACE);
  EXPECT_EQ(chain.GetBranches()[2]->GetBody().GetKind(), SK_NOP);
  EXPECT_EQ(Text(chain.GetBranches()[2]->GetCondition().GetExpression()), "k");
  ASSERT_NE(chain.GetElse(), nullptr);
  EXPECT_EQ(Text(static_cast<const CSCExpressionStatement*>(chain.GetElse())->GetExpression()), "x 3 =");

  // The else belongs to the nearest if.
  const auto& outer = compiled.Body<CSCIfElseIfStatement>(u"f", 1);
  EXPECT_EQ(outer.GetElse(), nullptr);
  EXPECT_NE(static_cast<const CSCIfElseIfStatement&>(outer.GetBranches()[0]->GetBody()).GetElse(), nullptr);

  // A declaration of two names as a body gets a block of its own.
  const auto& declared = compiled.Body<CSCIfElseIfStatement>(u"f", 2);
  const auto& block = static_cast<const CSCBraceStatement&>(declared.GetBranches()[0]->GetBody());
  ASSERT_EQ(block.GetStatements().size(), 2u);
  EXPECT_EQ(block.GetStatements()[1]->GetKind(), SK_DECLARE);

  EXPECT_EQ(Text(compiled.Body<CSCReturnStatement>(u"f", 3).GetExpression()), "x 1 +");
}

TEST(ParserTree, CompilingAgainReplacesTheScript) {
  CSCObject scope(nullptr, u"Form1");
  CKVParser parser;
  ASSERT_TRUE(parser.Parse(u"var a, b; function f() {}", scope));
  EXPECT_EQ(scope.GetVariables().size(), 2u);
  scope.GetVariableValue(1).SetNumber(5);
  ASSERT_TRUE(parser.Parse(u"var e;", scope));
  ASSERT_EQ(scope.GetVariables().size(), 1u);
  EXPECT_EQ(scope.FindFunction(u"f"), nullptr);
  EXPECT_EQ(scope.FindVariable(u"a"), nullptr);
  EXPECT_TRUE(scope.GetVariableValue(0).IsEmpty());
  EXPECT_FALSE(parser.Parse(u"var d; x", scope));
  EXPECT_TRUE(scope.IsEmpty());
  EXPECT_EQ(parser.GetError().GetCode(), CE_INVALID_TOKEN);
  ASSERT_TRUE(parser.Parse(u"", scope));
  EXPECT_EQ(parser.GetError().GetCode(), CE_NONE);
}

TEST(ParserTree, TheStringListenerHearsStringsOnce) {
  struct Recorder : IKVStringListener {
    void OnString(uint32_t start, uint32_t, std::u16string_view text) override {
      heard.push_back(std::to_string(start) + " " + Utf8(text));
    }
    std::vector<std::string> heard;
  } recorder;
  CSCObject scope(nullptr, u"Form1");
  CKVParser parser;
  parser.SetStringListener(&recorder);
  ASSERT_TRUE(parser.Parse(u"function f() { x = \"a\" + +\"b\"; i++; }", scope));
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"19 \"a\"", "26 \"b\""}));
}
