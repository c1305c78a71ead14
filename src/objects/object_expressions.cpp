#include "objects/object_expressions.h"

#include <atomic>

namespace {

std::atomic<CNExpressionEvaluator*> s_evaluator{nullptr};

}  // namespace

CNExpressionEvaluator* CNExpressionEvaluator::GetCurrent() {
  return s_evaluator.load(std::memory_order_acquire);
}

CNExpressionEvaluator* CNExpressionEvaluator::SetCurrent(CNExpressionEvaluator* evaluator) {
  return s_evaluator.exchange(evaluator, std::memory_order_acq_rel);
}

void CNObjectExpressions::Add(uint32_t id, std::u16string_view text) {
  auto expression = CRPtr<EXPRESSION>::Make();
  expression->id = id;
  expression->text = text;
  m_expressions.insert_or_assign(id, std::move(expression));
}

bool CNObjectExpressions::Delete(uint32_t id) {
  return m_expressions.erase(id) > 0;
}

const EXPRESSION* CNObjectExpressions::Find(uint32_t id) const {
  const auto it = m_expressions.find(id);
  return it == m_expressions.end() ? nullptr : it->second.Get();
}

bool CNObjectExpressions::Evaluate(CNObject& object, uint32_t id, CNValue& result) {
  CNExpressionEvaluator* evaluator = CNExpressionEvaluator::GetCurrent();
  const auto it = m_expressions.find(id);
  if (!evaluator || it == m_expressions.end()) return false;
  // The evaluation may run script code that deletes the expression: keep it alive meanwhile.
  const CRPtr<EXPRESSION> expression = it->second;
  return evaluator->Evaluate(object, *expression, result);
}
