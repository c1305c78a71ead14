#include "script/parser_context.h"

CParserContext::CParserContext(std::u16string_view text, CSCObject& scope, IKVStringListener* listener)
    : m_Scope(scope), m_Tokenizer(text), m_pListener(listener) {
  m_Tokenizer.SetStringListener(listener);
}

bool CParserContext::Next() {
  m_uPreviousEnd = m_Tokenizer.GetPosition();
  m_Tokenizer.Next(m_Token);
  return m_Token.kind != TK_ERROR || Fail(CE_INVALID_TOKEN);
}

void CParserContext::Peek(CToken& next) {
  const uint32_t saved = m_Tokenizer.GetPosition();
  m_Tokenizer.SetStringListener(nullptr);
  m_Tokenizer.Next(next);
  m_Tokenizer.SetStringListener(m_pListener);
  m_Tokenizer.SetPosition(saved);
}

bool CParserContext::Fail(CompilerErrorCode code, const CToken& token) {
  if (!Failed()) m_Error = m_Tokenizer.Report(code, token);
  return false;
}

bool CParserContext::Expect(TokenKind kind, CompilerErrorCode code) {
  return Is(kind) ? Next() : Fail(code);
}

bool CParserContext::Enter() {
  if (m_uDepth >= kMaxNesting) return Fail(CE_INVALID_TOKEN);
  ++m_uDepth;
  return true;
}

void CParserContext::ResolveLocal(CSCName& name, bool call) const {
  name.SetWith(m_pWith);
  const auto& parts = name.GetParts();
  if (name.GetBase() != NB_PLAIN || parts.empty() || (call && parts.size() == 1)) return;
  const auto local = m_Locals.find(parts.front());
  if (local != m_Locals.end()) name.SetLocalSlot(local->second);
}

void CParserContext::LinkNames() {
  for (CSCExpression* expression : m_ToLink) {
    for (const CExpressionItem& item : expression->GetItems()) {
      if (item.op != EO_NAME && item.op != EO_CALL && item.op != EO_DELETE) continue;
      CSCName& name = expression->EditName(item.operand);
      const auto& parts = name.GetParts();
      if (parts.empty()) continue;
      if (item.op == EO_CALL && parts.size() == 1) {
        if (name.GetBase() == NB_PLAIN || name.GetBase() == NB_THIS)
          name.SetFunction(m_Scope.FindFunction(parts.front()));
      } else if (name.GetBase() == NB_PLAIN && name.GetLocalSlot() < 0) {
        if (const CSCDeclareStatement* variable = m_Scope.FindVariable(parts.front()))
          name.SetScopeVariable(variable->GetSlot());
      }
    }
    expression->PlanQuickForm();
  }
}
