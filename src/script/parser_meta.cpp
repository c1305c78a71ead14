#include "script/parser_constructs.h"

// statement := declaration | "return" [ expression ] ";" | ";" | switch | "continue" ";"
//            | "break" ";" | block | if | while | for | with | expression ";"
bool CMetaParser::Parse(StatementList& into) {
  CParserContext& c = m_Context;
  CNestingGuard level(c);
  if (!level) return false;
  if (c.Is(TK_END)) return c.Fail(CE_UNEXPECTED_END);
  if (c.Is(TK_SEMICOLON)) {
    into.push_back(c.Make<CSCNOPStatement>(false));
    if (!c.Next()) return false;
    c.Finish(*into.back());
    return true;
  }
  if (c.Is(TK_OPEN_BRACE)) {
    auto block = c.Make<CSCBraceStatement>();
    if (!ParseBlock(block->EditStatements(), CE_INVALID_TOKEN)) return false;
    c.Finish(*block);
    into.push_back(std::move(block));
    return true;
  }
  if (c.Is(TK_KEYWORD)) {
    const std::u16string& word = c.Token().text;
    if (word == u"var") return CVariableParser(c).Parse(&into);
    if (word == u"return") return ParseReturn(into);
    if (word == u"break" || word == u"continue") return ParseJump(into);
    if (word == u"if") return CIfParser(c).Parse(into);
    if (word == u"for") return CForParser(c).Parse(into);
    if (word == u"while") return CWhileParser(c).Parse(into);
    if (word == u"with") return CWithParser(c).Parse(into);
    if (word == u"switch") return CSwitchCaseParser(c).Parse(into);
  }
  return ParseExpressionStatement(into);
}

// body := block | statement
bool CMetaParser::ParseBody(StatementPtr& body, CompilerErrorCode unclosed) {
  CParserContext& c = m_Context;
  if (c.Is(TK_CLOSE_BRACE)) return c.Fail(CE_MISSING_OPEN_BRACE);
  const uint32_t start = c.Token().start;
  const bool braced = c.Is(TK_OPEN_BRACE);
  StatementList statements;
  if (!(braced ? ParseBlock(statements, unclosed) : Parse(statements))) return false;
  // One statement stands alone; a declaration of several names gets a block of its own.
  if (!braced && statements.size() == 1) {
    body = std::move(statements.front());
    return true;
  }
  auto block = std::make_unique<CSCBraceStatement>();
  c.PlaceAt(*block, start);
  c.Finish(*block);
  block->EditStatements() = std::move(statements);
  body = std::move(block);
  return true;
}

bool CMetaParser::ParseLoopBody(const CSCStatement& loop, StatementPtr& body) {
  CParserContext& c = m_Context;
  c.m_Loops.push_back(&loop);
  c.m_Breakables.push_back(&loop);
  const bool parsed = ParseBody(body, CE_MISSING_CLOSE_BRACE);
  c.m_Loops.pop_back();
  c.m_Breakables.pop_back();
  return parsed;
}

// block := "{" { statement } "}"
bool CMetaParser::ParseBlock(StatementList& into, CompilerErrorCode unclosed) {
  CParserContext& c = m_Context;
  if (!c.Next()) return false;
  while (!c.Is(TK_CLOSE_BRACE)) {
    if (c.Is(TK_END)) return c.Fail(unclosed);
    if (!Parse(into)) return false;
  }
  return c.Next();
}

// condition := "(" expression ")"
bool CMetaParser::ParseCondition(std::unique_ptr<CSCExpressionStatement>& condition,
                                 std::u16string_view name) {
  CParserContext& c = m_Context;
  if (!c.Expect(TK_OPEN_PAREN, CE_INVALID_TOKEN)) return false;
  condition = c.Make<CSCExpressionStatement>(name);
  CExpressionParser expression(c);
  if (!expression.Parse(condition->EditExpression())) return false;
  c.Finish(*condition);
  return expression.CloseParenthesis();
}

// return := "return" [ expression ] ";"
bool CMetaParser::ParseReturn(StatementList& into) {
  CParserContext& c = m_Context;
  auto statement = c.Make<CSCReturnStatement>();
  if (!c.Next()) return false;
  if (!c.Is(TK_SEMICOLON) && !CExpressionParser(c).Parse(statement->EditExpression())) return false;
  return EndStatement(into, std::move(statement));
}

// jump := ( "break" | "continue" ) ";"
bool CMetaParser::ParseJump(StatementList& into) {
  CParserContext& c = m_Context;
  StatementPtr statement;
  if (c.Token().text == u"break") {
    if (c.m_Breakables.empty()) return c.Fail(CE_ILLEGAL_BREAK);
    statement = c.Make<CSCBreakStatement>(c.m_Breakables.back());
  } else {
    if (c.m_Loops.empty()) return c.Fail(CE_ILLEGAL_CONTINUE);
    statement = c.Make<CSCContinueStatement>(c.m_Loops.back());
  }
  return c.Next() && EndStatement(into, std::move(statement));
}

// expression-statement := expression ";"
bool CMetaParser::ParseExpressionStatement(StatementList& into) {
  auto statement = m_Context.Make<CSCExpressionStatement>();
  if (!CExpressionParser(m_Context).Parse(statement->EditExpression())) return false;
  return EndStatement(into, std::move(statement));
}

bool CMetaParser::EndStatement(StatementList& into, StatementPtr statement) {
  if (!m_Context.Expect(TK_SEMICOLON, CE_MISSING_SEMICOLON)) return false;
  m_Context.Finish(*statement);
  into.push_back(std::move(statement));
  return true;
}
