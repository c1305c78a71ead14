#include "script/parser_constructs.h"

// function := ( "function" | "event" ) name "(" parameters ")" "{" { statement } "}"
bool CFunctionParser::Parse() {
  CParserContext& c = m_Context;
  const uint32_t start = c.Token().start;
  if (!c.Next()) return false;
  const CToken& name = c.Token();
  if (!CParserContext::IsPlainName(name)) return c.Fail(CE_INVALID_IDENTIFIER);
  if (CParserContext::HasPoint(name)) return c.Fail(CE_DOT_IN_IDENTIFIER);
  if (c.m_Scope.IsDeclared(name.text)) return c.Fail(CE_DUPLICATE_DECLARATION);
  auto function = std::make_unique<CSCFunctionStatement>(name.text, c.m_Scope.GetFullName(name.text));
  c.PlaceAt(*function, start);
  if (!c.Next() || !c.Expect(TK_OPEN_PAREN, CE_MISSING_OPEN_PAREN)) return false;

  c.m_pFunction = function.get();
  c.m_Locals.clear();
  if (!ParseParameters(*function)) return false;
  if (!c.Is(TK_OPEN_BRACE)) return c.Fail(CE_MISSING_OPEN_BRACE);
  if (!c.Next()) return false;
  StatementList& body = function->EditBody();
  CMetaParser statements(c);
  while (!c.Is(TK_CLOSE_BRACE)) {
    if (c.Is(TK_END)) return c.Fail(CE_UNEXPECTED_END);
    if (!statements.Parse(body)) return false;
  }
  body.push_back(c.Make<CSCNOPStatement>(true));
  if (!c.Next()) return false;
  c.Finish(*body.back());
  c.Finish(*function);
  function->SetSlotCount(static_cast<uint32_t>(c.m_Locals.size()));
  c.m_pFunction = nullptr;
  c.m_Locals.clear();
  c.m_Scope.AddFunction(std::move(function));
  return true;
}

// parameters := [ [ "&" ] name { "," [ "&" ] name } ] ")"
bool CFunctionParser::ParseParameters(CSCFunctionStatement& function) {
  CParserContext& c = m_Context;
  if (c.Is(TK_CLOSE_PAREN)) return c.Next();
  for (;;) {
    const bool byReference = c.Is(TK_AMPERSAND);
    if (byReference && !c.Next()) return false;
    const CToken& name = c.Token();
    if (!CParserContext::IsPlainName(name)) return c.Fail(CE_INVALID_TOKEN);
    if (CParserContext::HasPoint(name)) return c.Fail(CE_DOT_IN_IDENTIFIER);
    if (c.m_Locals.contains(name.text)) return c.Fail(CE_DUPLICATE_DECLARATION);
    const int32_t slot = static_cast<int32_t>(c.m_Locals.size());
    c.m_Locals.emplace(name.text, slot);
    auto parameter = c.Make<CSCDeclareStatement>(name.text, slot, true, byReference);
    if (!c.Next()) return false;
    c.Finish(*parameter);
    function.AddParameter(std::move(parameter));
    if (c.Is(TK_CLOSE_PAREN)) return c.Next();
    if (!c.Expect(TK_COMMA, CE_MISSING_CLOSE_PAREN)) return false;
  }
}
