#include "binds/bind_expression_evaluator.h"

#include <string>
#include <vector>

#include "binds/bind_factory.h"
#include "binds/bind_function_call.h"
#include "binds/bind_names.h"
#include "objects/object.h"
#include "tags/tag_server.h"

namespace {

// A compiled expression and its side of the names: the handle of a name is its index + 1.
class CCompiledExpression : public CRRefCnt, public CNBindScriptParser::ConnectionPoint {
 public:
  CCompiledExpression(std::u16string_view text, const CNBindEnvironment& environment)
      : m_environment(environment), m_bind(MakeBindScriptParser(text, true)) {
    m_bind->SetConnectionPoint(this);
    m_bOk = m_bind->Compile(text) && m_bind->Connect(nullptr);
  }
  ~CCompiledExpression() override { m_bind->Disconnect(nullptr); }

  bool Evaluate(CNObject& object, CNValue& result) {
    if (!m_bOk) return false;
    m_pObject = &object;
    CNValue value;
    const bool ok = m_bind->Evaluate(true, value);
    m_pObject = nullptr;
    if (ok) result = std::move(value);
    return ok;
  }

  bool Subscribe(CNBindScriptParser*, std::u16string_view name, uint32_t, uint32_t& handle, void*) override {
    m_names.emplace_back(name);
    handle = static_cast<uint32_t>(m_names.size());
    return true;
  }
  bool Unsubscribe(CNBindScriptParser*, uint32_t, void*) override { return true; }
  bool Read(CNBindScriptParser*, uint32_t handle, void*, CNValue& value) override {
    const std::u16string* name = Name(handle);
    if (!name || !m_pObject) return false;
    if (IsOwnPropertyName(*name)) return m_pObject->GetProperty(OwnPropertyOf(*name), value) && !value.IsEmpty();
    CNPTagServer* tags = m_environment.tags;
    CNPTag* tag = tags ? tags->GetTag(*name, 0, nullptr) : nullptr;
    if (!tag) return false;
    const CRPtr<CNValue> current = tags->GetValue(tag, 0, nullptr);
    tags->ReleaseTag(tag, nullptr);
    if (!current || current->IsEmpty()) return false;
    value.Assign(*current);
    return true;
  }
  bool Write(CNBindScriptParser*, uint32_t handle, const CNValue& value) override {
    const std::u16string* name = Name(handle);
    if (!name || !m_pObject) return false;
    if (IsOwnPropertyName(*name)) return m_pObject->SetProperty(OwnPropertyOf(*name), value) != 0;
    CNPTagServer* tags = m_environment.tags;
    CNPTag* tag = tags ? tags->GetTag(*name, 0, nullptr) : nullptr;
    if (!tag) return false;
    const bool written = tags->SetValue(tag, value);
    tags->ReleaseTag(tag, nullptr);
    return written;
  }
  bool Call(CNBindScriptParser*, std::u16string_view function, std::span<const CNValue* const> args,
            CNValue& result, uint32_t) override {
    return m_pObject && CallBindFunction(*m_pObject, m_environment.host, function, args, result);
  }

 private:
  const std::u16string* Name(uint32_t handle) const {
    return handle >= 1 && handle <= m_names.size() ? &m_names[handle - 1] : nullptr;
  }

  CNBindEnvironment m_environment;
  CRPtr<CNBindScriptParser> m_bind;
  std::vector<std::u16string> m_names;
  CNObject* m_pObject = nullptr;  // during an evaluation
  bool m_bOk = false;
};

}  // namespace

bool CNPBindExpressionEvaluator::Evaluate(CNObject& object, EXPRESSION& expression, CNValue& result) {
  auto* compiled = dynamic_cast<CCompiledExpression*>(expression.compiled.Get());
  if (!compiled) {
    auto fresh = CRPtr<CCompiledExpression>::Make(expression.text, m_environment);
    compiled = fresh.Get();
    expression.compiled = std::move(fresh);
  }
  return compiled->Evaluate(object, result);
}
