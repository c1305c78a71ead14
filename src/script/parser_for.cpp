#include "script/parser_constructs.h"

// for := "for" "(" [ initialisation ] ";" [ expression ] ";" [ expression ] ")" body
// where initialisation is a "var" declaration (which brings its own ";") or an expression.
bool CForParser::Parse(StatementList& into) {
  CParserContext& c = m_Context;
  auto loop = c.Make<CSCForStatement>();
  std::unique_ptr<CSCExpressionStatement> condition;
  std::unique_ptr<CSCExpressionStatement> step;
  StatementPtr body;
  if (!c.Next() || !c.Expect(TK_OPEN_PAREN, CE_INVALID_TOKEN) || !ParseInitialisation(*loop) ||
      !ParsePart(condition, u"for-condition", TK_SEMICOLON) ||
      !c.Expect(TK_SEMICOLON, CE_MISSING_SEMICOLON) || !ParsePart(step, {}, TK_CLOSE_PAREN) ||
      !c.Expect(TK_CLOSE_PAREN, CE_INVALID_TOKEN) || !CMetaParser(c).ParseLoopBody(*loop, body)) {
    return false;
  }
  loop->SetCondition(std::move(condition));
  loop->SetStep(std::move(step));
  loop->SetBody(std::move(body));
  c.Finish(*loop);
  into.push_back(std::move(loop));
  return true;
}

// initialisation := declaration | [ expression ] ";"
bool CForParser::ParseInitialisation(CSCForStatement& loop) {
  CParserContext& c = m_Context;
  if (c.IsKeyword(u"var")) return CVariableParser(c).Parse(&loop.EditInitialisation());
  std::unique_ptr<CSCExpressionStatement> statement;
  if (!ParsePart(statement, {}, TK_SEMICOLON)) return false;
  if (statement) loop.EditInitialisation().push_back(std::move(statement));
  return c.Expect(TK_SEMICOLON, CE_MISSING_SEMICOLON);
}

// part := [ expression ], left out when the header goes on with end at once
bool CForParser::ParsePart(std::unique_ptr<CSCExpressionStatement>& part, std::u16string_view name,
                           TokenKind end) {
  CParserContext& c = m_Context;
  if (c.Is(end)) return true;
  part = c.Make<CSCExpressionStatement>(name);
  if (!CExpressionParser(c).Parse(part->EditExpression())) return false;
  c.Finish(*part);
  return true;
}
