#include "script/parser_constructs.h"

// declaration := "var" name [ "=" expression ] { "," name [ "=" expression ] } ";"
bool CVariableParser::Parse(StatementList* into) {
  CParserContext& c = m_Context;
  const bool topLevel = into == nullptr;
  do {
    if (!c.Next()) return false;
    const CToken& name = c.Token();
    if (!CParserContext::IsPlainName(name)) return c.Fail(CE_INVALID_IDENTIFIER);
    if (CParserContext::HasPoint(name)) return c.Fail(CE_DOT_IN_IDENTIFIER);
    if (topLevel ? c.m_Scope.IsDeclared(name.text) : c.m_Locals.contains(name.text))
      return c.Fail(CE_DUPLICATE_DECLARATION);
    const int32_t slot = static_cast<int32_t>(topLevel ? c.m_Scope.GetVariables().size() : c.m_Locals.size());
    auto declaration = c.Make<CSCDeclareStatement>(name.text, slot, false, false);
    if (!c.Next()) return false;
    if (c.Token().Is(TK_ASSIGNMENT, u"=")) {
      if (!c.Next() || !CExpressionParser(c).Parse(declaration->EditInitialiser())) return false;
    }
    c.Finish(*declaration);
    if (topLevel) {
      declaration->SetFullName(c.m_Scope.GetFullName(declaration->GetName()));
      c.m_Scope.AddVariable(std::move(declaration));
    } else {
      c.m_Locals.emplace(declaration->GetName(), slot);
      into->push_back(std::move(declaration));
    }
  } while (c.Is(TK_COMMA));
  return c.Expect(TK_SEMICOLON, CE_MISSING_SEMICOLON);
}
