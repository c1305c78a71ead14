#pragma once

#include "binds/object_binds.h"
#include "objects/object_expressions.h"

// Evaluates the expressions scripts attach to objects ("AddExpression"), written in the bind
// language: "$Name$" reads the object's property, every other name a tag (read when the
// expression runs; nothing is held between evaluations), functions are the global ones of
// binds. The compiled form is kept with the expression.
class CNPBindExpressionEvaluator : public CNExpressionEvaluator {
 public:
  explicit CNPBindExpressionEvaluator(const CNBindEnvironment& environment) : m_environment(environment) {}
  bool Evaluate(CNObject& object, EXPRESSION& expression, CNValue& result) override;

 private:
  CNBindEnvironment m_environment;
};
