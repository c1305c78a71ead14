#include "script/parser_constructs.h"

// with := "with" "(" ( name | "this" | "parent" ) ")" block
bool CWithParser::Parse(StatementList& into) {
  CParserContext& c = m_Context;
  auto with = c.Make<CSCWithStatement>(c.m_pWith);
  if (!c.Next() || !c.Expect(TK_OPEN_PAREN, CE_INVALID_TOKEN)) return false;
  const CToken& object = c.Token();
  CSCExpression& target = with->EditObject();
  if (object.kind == TK_NAME) {
    CSCName name(object.text);
    c.ResolveLocal(name, false);
    target.AddName(EO_NAME, std::move(name), object.start);
    c.AddToLink(target);
  } else if (object.Is(TK_KEYWORD, u"this")) {
    target.AddOperator(EO_THIS, object.start);
  } else if (object.Is(TK_KEYWORD, u"parent")) {
    target.AddOperator(EO_PARENT, object.start);
  } else {
    return c.Fail(CE_INVALID_TOKEN);
  }
  if (!c.Next() || !c.Expect(TK_CLOSE_PAREN, CE_INVALID_TOKEN)) return false;
  if (!c.Is(TK_OPEN_BRACE)) return c.Fail(CE_INVALID_TOKEN);
  c.m_pWith = with.get();
  const bool parsed = CMetaParser(c).ParseBlock(with->EditStatements(), CE_MISSING_CLOSE_BRACE);
  c.m_pWith = with->GetOuter();
  if (!parsed) return false;
  c.Finish(*with);
  into.push_back(std::move(with));
  return true;
}
