#include "binds/bind_simple.h"

#include "support/utf16_text.h"

bool CNPBindScriptParserSimple::Compile(std::u16string_view script) {
  if (IsConnected()) Disconnect(m_pArgument);
  while (!script.empty() && IsSpaceAscii(script.front())) script.remove_prefix(1);
  while (!script.empty() && IsSpaceAscii(script.back())) script.remove_suffix(1);
  if (script.size() > 2 && script.front() == u'\'' && script.back() == u'\'')
    script = script.substr(1, script.size() - 2);
  m_strName.assign(script);
  m_Error = m_strName.empty() ? CTagParserCompilerError(CE_MISSING_IDENTIFIER, {}, 1, 0)
                              : CTagParserCompilerError();
  SetCompiled(!m_strName.empty());
  return IsCompiled();
}

bool CNPBindScriptParserSimple::Connect(void* argument) {
  if (!IsCompiled()) return false;
  if (IsConnected()) return true;
  ConnectionPoint* owner = GetConnectionPoint();
  if (!owner || !owner->Subscribe(GetIdentity(), m_strName, m_uDirection, m_uHandle, argument)) return false;
  m_pArgument = argument;
  SetConnected(true);
  return true;
}

void CNPBindScriptParserSimple::Disconnect(void* argument) {
  if (IsConnected() && GetConnectionPoint())
    GetConnectionPoint()->Unsubscribe(GetIdentity(), m_uHandle, argument);
  SetConnected(false);
}

void CNPBindScriptParserSimple::GetNames(std::vector<std::u16string>& names) const {
  if (!m_strName.empty()) names.push_back(m_strName);
}

bool CNPBindScriptParserSimple::Unresolved() {
  m_Error = CTagParserCompilerError(CE_UNRESOLVED_IDENTIFIER, m_strName, 1, 0);
  return false;
}

void CNPBindScriptParserSimple::ClearError() {
  if (m_Error.IsError()) m_Error = CTagParserCompilerError();
}

bool CNPBindScriptParserSimpleInput::Evaluate(bool force, CNValue& value) {
  if (!IsCompiled() || !(force || IsDirty())) return false;
  SetDirty(false);
  ClearError();
  // Read into a value of its own, so that a failed read leaves the caller's value alone.
  if (!IsConnected() || !GetConnectionPoint() ||
      !GetConnectionPoint()->Read(GetIdentity(), GetHandle(), GetArgument(), m_Value))
    return Unresolved();
  if (m_Value.IsEmpty()) return false;
  value.Assign(m_Value);
  return true;
}

bool CNPBindScriptParserSimpleOutput::Evaluate(bool force, CNValue& value) {
  if (!IsCompiled() || !(force || IsDirty())) return false;
  SetDirty(false);
  return IsConnected() && GetConnectionPoint() &&
         GetConnectionPoint()->Write(GetIdentity(), GetHandle(), value);
}
