#include "script/parser_constructs.h"

// while := "while" condition body
bool CWhileParser::Parse(StatementList& into) {
  CParserContext& c = m_Context;
  CMetaParser statements(c);
  auto loop = c.Make<CSCWhileStatement>();
  std::unique_ptr<CSCExpressionStatement> condition;
  StatementPtr body;
  if (!c.Next() || !statements.ParseCondition(condition, u"while-condition") ||
      !statements.ParseLoopBody(*loop, body)) {
    return false;
  }
  loop->SetCondition(std::move(condition));
  loop->SetBody(std::move(body));
  c.Finish(*loop);
  into.push_back(std::move(loop));
  return true;
}
