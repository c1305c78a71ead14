#include "script/parser_constructs.h"

// if := "if" condition body { "else" "if" condition body } [ "else" body ]
bool CIfParser::Parse(StatementList& into) {
  CParserContext& c = m_Context;
  CMetaParser statements(c);
  auto chain = c.Make<CSCIfElseIfStatement>();
  for (;;) {
    auto branch = c.Make<CSCIfStatement>();
    std::unique_ptr<CSCExpressionStatement> condition;
    StatementPtr body;
    if (!c.Next() || !statements.ParseCondition(condition, u"if-condition") ||
        !statements.ParseBody(body, CE_MISSING_CLOSE_PAREN)) {
      return false;
    }
    branch->SetCondition(std::move(condition));
    branch->SetBody(std::move(body));
    c.Finish(*branch);
    chain->AddBranch(std::move(branch));
    if (!c.IsKeyword(u"else")) break;
    if (!c.Next()) return false;
    if (c.IsKeyword(u"if")) continue;
    StatementPtr otherwise;
    if (!statements.ParseBody(otherwise, CE_MISSING_CLOSE_PAREN)) return false;
    chain->SetElse(std::move(otherwise));
    break;
  }
  c.Finish(*chain);
  into.push_back(std::move(chain));
  return true;
}
