#include <charconv>

#include "script/parser_constructs.h"
#include "support/utf16_text.h"

namespace {

// A text two case values share exactly when they are the same value: the time text of a time
// constant, else the constant's kind and contents (a number by its shortest exact digits, so
// that 1 and 0x1 meet and nearby numbers stay apart).
std::u16string CaseKey(const CSCExpression& value) {
  const auto tagged = [](char16_t tag, std::u16string_view text) {
    std::u16string key(1, tag);
    key += text;
    return key;
  };
  const CExpressionItem& item = value.GetItems().front();
  if (item.op == EO_TIME_CONSTANT) return tagged(u't', value.GetText(item.operand));
  const CNValue& constant = value.GetConstant(item.operand);
  if (!constant.IsNumber(0)) return tagged(u'v', constant.ToLiteral(false));
  char digits[32];
  const char* end = std::to_chars(digits, digits + sizeof digits, constant.GetNumber() + 0.0).ptr;
  return tagged(u'n', AsciiToUtf16(std::string_view(digits, end - digits)));
}

bool IsLiteral(const CToken& token) {
  return token.kind == TK_STRING || token.kind == TK_BOOLEAN || token.kind == TK_INTEGER ||
         token.kind == TK_REAL;
}

}  // namespace

// switch := "switch" condition "{" { label { statement } } "}"
bool CSwitchCaseParser::Parse(StatementList& into) {
  CParserContext& c = m_Context;
  const CToken keyword = c.Token();
  auto statement = c.Make<CSCSwitchCaseStatement>();
  std::unique_ptr<CSCExpressionStatement> condition;
  if (!c.Next() || !CMetaParser(c).ParseCondition(condition, u"switch-condition")) return false;
  statement->SetCondition(std::move(condition));
  if (!c.Is(TK_OPEN_BRACE)) return c.Fail(CE_MISSING_OPEN_BRACE);
  CSCBraceStatement& body = statement->EditBody();
  c.Place(body);
  if (!c.Next()) return false;

  c.m_Breakables.push_back(statement.get());
  bool parsed = true;
  CMetaParser statements(c);
  while (parsed && !c.Is(TK_CLOSE_BRACE)) {
    if (c.Is(TK_END)) {
      parsed = c.Fail(CE_MISSING_CLOSE_BRACE);
    } else if (c.IsKeyword(u"case") || c.IsKeyword(u"default")) {
      parsed = ParseLabel(*statement);
    } else if (body.GetStatements().empty()) {
      parsed = c.Fail(CE_INVALID_TOKEN);  // statements before the first label could never run
    } else {
      parsed = statements.Parse(body.EditStatements());
    }
  }
  c.m_Breakables.pop_back();
  if (!parsed) return false;
  if (body.GetStatements().empty()) return c.Fail(CE_EMPTY_SWITCH, keyword);
  if (!c.Next()) return false;
  c.Finish(body);
  c.Finish(*statement);
  into.push_back(std::move(statement));
  return true;
}

// label := "case" constant ":" | "default" ":"
bool CSwitchCaseParser::ParseLabel(CSCSwitchCaseStatement& statement) {
  CParserContext& c = m_Context;
  const bool isDefault = c.Token().text == u"default";
  if (isDefault && statement.GetDefault()) return c.Fail(CE_MORE_THAN_ONE);
  auto label = c.Make<CSCCaseStatement>(isDefault);
  if (!c.Next()) return false;
  if (!isDefault && !ParseCaseValue(*label)) return false;
  if (!c.Expect(TK_COLON, CE_INVALID_TOKEN)) return false;
  c.Finish(*label);
  StatementList& body = statement.EditBody().EditStatements();
  label->SetBodyIndex(static_cast<uint32_t>(body.size()));
  if (isDefault) {
    statement.SetDefault(label.get());
  } else {
    statement.AddCase(label.get());
  }
  body.push_back(std::move(label));
  return true;
}

// constant := literal | "-" number
bool CSwitchCaseParser::ParseCaseValue(CSCCaseStatement& label) {
  CParserContext& c = m_Context;
  const bool negative = c.Token().Is(TK_ARITHMETIC, u"-");
  if (negative && !c.Next()) return false;
  const CToken& value = c.Token();
  if (negative ? value.kind != TK_INTEGER && value.kind != TK_REAL : !IsLiteral(value))
    return c.Fail(CE_INVALID_TOKEN);
  CSCExpression& expression = label.EditValue();
  CExpressionParser::AddLiteral(expression, value, negative);
  if (!m_UsedValues.insert(CaseKey(expression)).second) {
    CToken shown = value;
    if (negative) shown.text.insert(0, 1, u'-');
    return c.Fail(CE_CASE_VALUE_USED, shown);
  }
  return c.Next();
}
