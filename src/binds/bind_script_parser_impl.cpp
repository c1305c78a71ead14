#include "binds/bind_script_parser_impl.h"

#include "binds/bind_compiler.h"

CNBindScriptParserImpl::CNBindScriptParserImpl() {
  // An argument left out is the empty value with the content flag set: a function can tell it
  // from an argument that is empty.
  m_LeftOut.SetFlags(kValueFlagContent);
}

// The owner may be gone by the last release, so nothing is called back from here: Disconnect
// comes first.
CNBindScriptParserImpl::~CNBindScriptParserImpl() = default;

bool CNBindScriptParserImpl::Compile(std::u16string_view script) {
  if (IsConnected()) Disconnect(m_pArgument);
  m_strScript.assign(script);
  m_lSelected = -1;
  m_uQuotient = 0;
  CTagParserCompiler compiler;
  const bool compiled = compiler.Compile(m_strScript, m_Program, m_Error);
  SetCompiled(compiled);
  m_pStack = std::make_unique<COperand[]>(m_Program.maxDepth);
  m_Arguments.assign(m_Program.maxArguments, nullptr);
  return compiled;
}

bool CNBindScriptParserImpl::Connect(void* argument) {
  if (!IsCompiled()) return false;
  if (IsConnected()) return true;
  ConnectionPoint* owner = GetConnectionPoint();
  if (!owner && !m_Program.names.empty()) return false;
  m_pArgument = argument;
  std::vector<CBindName>& names = m_Program.names;
  for (size_t i = 0; i < names.size(); ++i) {
    CBindName& name = names[i];
    const uint32_t direction = name.reads > 0 ? 1 : 0;
    if (owner->Subscribe(GetIdentity(), name.name, direction, name.handle, argument)) {
      name.subscribed = true;
      continue;
    }
    // Refused: give back what was obtained, so that a failed connect leaves nothing behind.
    for (size_t j = 0; j < i; ++j) {
      owner->Unsubscribe(GetIdentity(), names[j].handle, argument);
      names[j].subscribed = false;
    }
    return false;
  }
  SetConnected(true);
  return true;
}

void CNBindScriptParserImpl::Disconnect(void* argument) {
  ConnectionPoint* owner = GetConnectionPoint();
  for (CBindName& name : m_Program.names) {
    if (name.subscribed && owner) owner->Unsubscribe(GetIdentity(), name.handle, argument);
    name.subscribed = false;
  }
  SetConnected(false);
}

void CNBindScriptParserImpl::GetNames(std::vector<std::u16string>& names) const {
  for (const CBindName& name : m_Program.names) names.push_back(name.name);
}

bool CNBindScriptParserImpl::IsDue(bool force) {
  bool due = force || IsDirty();
  if (m_uPeriod != 0) {
    const uint32_t quotient = m_uTick / m_uPeriod;
    if (quotient != m_uQuotient) due = true;
    m_uQuotient = quotient;
  }
  return due;
}

void CNBindScriptParserImpl::Select(int32_t index) {
  if (index == m_lSelected && index >= 0) return;
  m_uPeriod = 0;
  m_lSelected = index;
}

bool CNPBindScriptParserInput::Evaluate(bool force, CNValue& value) {
  if (!IsCompiled() || !IsDue(force)) return false;
  SetDirty(false);
  const CNValue* result = EvaluateCases();
  if (!result || result->IsEmpty()) return false;
  value.Assign(*result);
  return true;
}

bool CNPBindScriptParserOutput::Evaluate(bool force, CNValue& /*value*/) {
  if (!IsCompiled() || !(force || IsDirty())) return false;
  SetDirty(false);
  return EvaluateCases() != nullptr;
}
