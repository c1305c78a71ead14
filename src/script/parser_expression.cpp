#include "script/parser_constructs.h"

namespace {

bool IsSign(const CToken& token) {
  return token.Is(TK_ARITHMETIC, u"+") || token.Is(TK_ARITHMETIC, u"-");
}

// Moves the waiting operators of at least level to the output, innermost first.
void Flush(CSCExpression& out, std::vector<CExpressionItem>& pending, int8_t level) {
  while (!pending.empty() && OperatorLevel(pending.back().op) >= level) {
    out.AddOperator(pending.back().op, pending.back().position);
    pending.pop_back();
  }
}

}  // namespace

bool CExpressionParser::Parse(CSCExpression& out) {
  if (!ParseSequence(out, false)) return false;
  if (out.GetNameCount() != 0) m_Context.AddToLink(out);
  return true;
}

// expression := unary { binary-operator unary }
// An incoming operator first moves every waiting operator of greater or equal level to the
// output, so operators of one level apply from left to right. ":" (a range) is an operator only
// directly inside brackets.
bool CExpressionParser::ParseSequence(CSCExpression& out, bool allowRange) {
  CParserContext& c = m_Context;
  CNestingGuard level(c);
  if (!level) return false;
  std::vector<CExpressionItem> pending;
  for (;;) {
    if (!ParseUnary(out, pending)) return false;
    const ExpressionOp op = BinaryOperator(allowRange);
    if (op == EO_COUNT) break;
    Flush(out, pending, OperatorLevel(op));
    pending.push_back({.op = op, .position = c.Token().start});
    if (!c.Next()) return false;
  }
  Flush(out, pending, kOperand);
  return true;
}

// unary := { "+" | "-" | "!" | "++" | "--" } operand { "[" indexes "]" | "++" | "--" }
// Prefix operators wait with the binary ones; "[...]", "++" and "--" after the operand apply to
// it at once.
bool CExpressionParser::ParseUnary(CSCExpression& out, std::vector<CExpressionItem>& pending) {
  CParserContext& c = m_Context;
  for (;;) {
    const CToken& token = c.Token();
    const uint32_t position = token.start;
    ExpressionOp prefix;
    if (token.kind == TK_NOT) {
      prefix = EO_NOT;
    } else if (IsSign(token)) {
      const bool plus = token.text == u"+";
      if (IsDoubled()) {
        prefix = plus ? EO_PRE_INCREMENT : EO_PRE_DECREMENT;
        if (!c.Next()) return false;
      } else {
        prefix = plus ? EO_PLUS : EO_NEGATE;
      }
    } else {
      break;
    }
    pending.push_back({.op = prefix, .position = position});
    if (!c.Next()) return false;
  }
  if (!ParseOperand(out)) return false;
  for (;;) {
    const CToken& token = c.Token();
    const uint32_t position = token.start;
    if (token.kind == TK_OPEN_BRACKET) {
      uint32_t count = 0;
      if (!ParseIndexes(out, count, true)) return false;
      out.AddOperator(EO_INDEX, position, count);
    } else if (IsSign(token) && IsDoubled()) {
      out.AddOperator(token.text == u"+" ? EO_POST_INCREMENT : EO_POST_DECREMENT, position);
      if (!c.Next() || !c.Next()) return false;
    } else {
      return true;
    }
  }
}

// operand := literal | name [ arguments ] | member [ arguments ] | "this" | "parent" | "null"
//          | "(" expression ")" | new | delete | array-form
bool CExpressionParser::ParseOperand(CSCExpression& out) {
  CParserContext& c = m_Context;
  const CToken& token = c.Token();
  switch (token.kind) {
    case TK_STRING:
    case TK_BOOLEAN:
    case TK_INTEGER:
    case TK_REAL: {
      AddLiteral(out, token);
      const CToken literal = token;
      if (!c.Next()) return false;
      return !c.Is(TK_ASSIGNMENT) || c.Fail(CE_ASSIGN_TO_CONSTANT, literal);
    }
    case TK_NAME:
      return ParseName(out, EO_NAME);
    case TK_MEMBER:
      return ParseName(out, EO_MEMBER);
    case TK_KEYWORD:
      if (token.text == u"this") {
        out.AddOperator(EO_THIS, token.start);
      } else if (token.text == u"parent") {
        out.AddOperator(EO_PARENT, token.start);
      } else if (token.text == u"null") {
        out.AddConstant(CNValue(), token.start);
      } else {
        return c.Fail(CE_INVALID_TOKEN);
      }
      return c.Next();
    case TK_OPEN_PAREN:
      return ParseGroup(out);
    case TK_NEW:
      return ParseNew(out);
    case TK_DELETE:
      return ParseDelete(out);
    case TK_ARRAY_FORM:
      return ParseArrayForm(out);
    case TK_SEMICOLON:
      return c.Fail(CE_UNEXPECTED_SEMICOLON);
    case TK_END:
      return c.Fail(CE_UNEXPECTED_END);
    default:
      return c.Fail(CE_INVALID_TOKEN);
  }
}

// name-operand := ( name | member ) [ arguments ]
bool CExpressionParser::ParseName(CSCExpression& out, ExpressionOp op) {
  CParserContext& c = m_Context;
  CSCName name(c.Token().text);
  const uint32_t position = c.Token().start;
  if (!c.Next()) return false;
  if (!c.Is(TK_OPEN_PAREN)) {
    c.ResolveLocal(name, false);
    out.AddName(op, std::move(name), position);
    return true;
  }
  c.ResolveLocal(name, true);
  uint32_t count = 0;
  if (!ParseArguments(out, count)) return false;
  out.AddName(EO_CALL, std::move(name), position, count);
  return true;
}

// new := "new" name ( arguments | "[" sizes "]" )
bool CExpressionParser::ParseNew(CSCExpression& out) {
  CParserContext& c = m_Context;
  const uint32_t position = c.Token().start;
  if (!c.Next()) return false;
  if (!c.Is(TK_NAME)) return c.Fail(CE_MISSING_IDENTIFIER);
  const std::u16string className = c.Token().text;
  if (!c.Next()) return false;
  uint32_t count = 0;
  if (c.Is(TK_OPEN_PAREN)) {
    if (!ParseArguments(out, count)) return false;
    out.AddText(EO_NEW_OBJECT, className, position, count);
    return true;
  }
  if (!c.Is(TK_OPEN_BRACKET)) return c.Fail(CE_MISSING_OPEN_PAREN);
  if (!ParseIndexes(out, count, false)) return false;
  out.AddText(EO_NEW_ARRAY, className, position, count);
  return true;
}

// delete := "delete" name
bool CExpressionParser::ParseDelete(CSCExpression& out) {
  CParserContext& c = m_Context;
  const uint32_t position = c.Token().start;
  if (!c.Next()) return false;
  if (!c.Is(TK_NAME)) return c.Fail(CE_MISSING_IDENTIFIER);
  CSCName name(c.Token().text);
  c.ResolveLocal(name, false);
  out.AddName(EO_DELETE, std::move(name), position);
  return c.Next();
}

// array-form := "c" arguments
bool CExpressionParser::ParseArrayForm(CSCExpression& out) {
  CParserContext& c = m_Context;
  const uint32_t position = c.Token().start;
  if (!c.Next()) return false;
  if (!c.Is(TK_OPEN_PAREN)) return c.Fail(CE_MISSING_OPEN_PAREN);
  uint32_t count = 0;
  if (!ParseArguments(out, count)) return false;
  out.AddOperator(EO_ARRAY_FORM, position, count);
  return true;
}

// group := "(" expression ")"
bool CExpressionParser::ParseGroup(CSCExpression& out) {
  return m_Context.Next() && ParseSequence(out, false) && CloseParenthesis();
}

bool CExpressionParser::CloseParenthesis() {
  CParserContext& c = m_Context;
  if (c.Is(TK_CLOSE_PAREN)) return c.Next();
  return c.Fail(c.Is(TK_CLOSE_BRACKET) ? CE_UNMATCHED_BRACKET : CE_INVALID_TOKEN);
}

// arguments := "(" [ expression { "," expression } ] ")"
bool CExpressionParser::ParseArguments(CSCExpression& out, uint32_t& count) {
  CParserContext& c = m_Context;
  if (!c.Next()) return false;
  if (c.Is(TK_CLOSE_PAREN)) return c.Next();
  for (;;) {
    if (!ParseSequence(out, false)) return false;
    ++count;
    if (c.Is(TK_CLOSE_PAREN)) return c.Next();
    if (!c.Is(TK_COMMA))
      return c.Fail(c.Is(TK_CLOSE_BRACKET) ? CE_UNMATCHED_BRACKET : CE_MISSING_CLOSE_PAREN);
    if (!c.Next()) return false;
  }
}

// indexes := "[" expression { "," expression } "]"
bool CExpressionParser::ParseIndexes(CSCExpression& out, uint32_t& count, bool allowRange) {
  CParserContext& c = m_Context;
  if (!c.Next()) return false;
  for (;;) {
    if (!ParseSequence(out, allowRange)) return false;
    ++count;
    if (c.Is(TK_CLOSE_BRACKET)) return c.Next();
    if (!c.Is(TK_COMMA))
      return c.Fail(c.Is(TK_CLOSE_PAREN) ? CE_UNMATCHED_BRACKET : CE_MISSING_CLOSE_BRACKET);
    if (!c.Next()) return false;
  }
}

bool CExpressionParser::IsDoubled() {
  CToken next;
  m_Context.Peek(next);
  const CToken& token = m_Context.Token();
  return next.kind == TK_ARITHMETIC && next.text == token.text && next.start == token.start + 1;
}

ExpressionOp CExpressionParser::BinaryOperator(bool allowRange) const {
  const CToken& token = m_Context.Token();
  switch (token.kind) {
    case TK_ARITHMETIC:
    case TK_COMPARISON:
    case TK_ASSIGNMENT:
    case TK_AMPERSAND:
    case TK_BAR:
      return BinaryOperatorFor(token.text);
    case TK_COLON:
      return allowRange ? EO_RANGE : EO_COUNT;
    default:
      return EO_COUNT;
  }
}

void CExpressionParser::AddLiteral(CSCExpression& out, const CToken& literal, bool negative) {
  const std::u16string& text = literal.text;
  const bool timeConstant = text.starts_with(u'#') && text != u"#N/A#" && text != u"#NOTHING#" &&
                            !(text.size() == 11 && text[1] == u'&');
  if (timeConstant) {
    out.AddText(EO_TIME_CONSTANT, text, literal.start);
    return;
  }
  CNValue value;
  value.FromLiteral(text, false);
  if (negative) value.SetNumber(-value.GetNumber());
  out.AddConstant(std::move(value), literal.start);
}
