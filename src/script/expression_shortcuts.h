// Conditions such as "i < 10", statements such as "i++", "s = s + i" and "s += i", and parts
// such as "n - 1" of larger expressions, on variables and constants holding scalar numbers, done
// directly on the values. The shapes are recognised when compiling (CSCExpression::PlanQuickForm);
// the results are the ones the general evaluation gives.
#pragma once

#include "script/executer.h"
#include "script/expression_executer.h"
#include "script/number_operation.h"

namespace script_shortcuts {

inline const CNValue& Read(const CSCExpression& expression, const CDirectOperand& operand,
                           const CSCFrame& frame) {
  switch (operand.source) {
    case DS_CONSTANT:
    case DS_NUMBER:
      return expression.GetConstant(operand.index);
    case DS_LOCAL:
      return *frame.slots[operand.index].variable;
    default:
      return frame.script->scope.GetVariableValue(operand.index);
  }
}

inline bool ReadNumber(const CSCExpression& expression, const CDirectOperand& operand, const CSCFrame& frame,
                       double& number) {
  if (operand.source == DS_NUMBER) {
    number = operand.number;
    return true;
  }
  const CNValue& value = Read(expression, operand, frame);
  if (!IsScalarNumber(value)) return false;
  number = value.GetElements()[0].n;
  return true;
}

// form.left form.operation form.right, when both operands hold scalar numbers.
inline bool Operate(const CSCExpression& expression, const CQuickForm& form, const CSCFrame& frame,
                    CNumberResult& result) {
  double a = 0;
  double b = 0;
  return ReadNumber(expression, form.left, frame, a) && ReadNumber(expression, form.right, frame, b) &&
         OperateNumbers(form.operation, a, b, result);
}

// The variable a store may go straight into: not one bound to a property or a slice.
inline CNValue* Target(const CDirectOperand& operand, const CSCFrame& frame) {
  if (operand.source == DS_SCOPE) return &frame.script->scope.GetVariableValue(operand.index);
  const CSlot& slot = frame.slots[operand.index];
  return slot.commit ? nullptr : slot.variable;
}

}  // namespace script_shortcuts

inline void CExpressionExecuter::QuickEvaluate(const CSCExpression& expression, const CSCFrame& frame,
                                               CNValue& out) const {
  AssignValue(out, script_shortcuts::Read(expression, expression.GetQuickForm().left, frame));
}

inline bool CExpressionExecuter::QuickTest(const CSCExpression& expression, const CSCFrame& frame,
                                           bool& truth) const {
  CNumberResult result;
  if (!script_shortcuts::Operate(expression, expression.GetQuickForm(), frame, result)) return false;
  truth = result.truth;
  return true;
}

inline bool CExpressionExecuter::QuickOperate(const CSCExpression& expression, const CQuickForm& form,
                                              const CSCFrame& frame, COperand& out) const {
  CNumberResult result;
  if (!script_shortcuts::Operate(expression, form, frame, result)) return false;
  StoreNumberResult(result, out.value);
  out.SetValue();
  return true;
}

inline bool CExpressionExecuter::QuickRun(const CSCExpression& expression, const CSCFrame& frame) const {
  const CQuickForm& form = expression.GetQuickForm();
  CNValue* target = script_shortcuts::Target(form.target, frame);
  if (!target) return false;
  if (form.shape == QS_STEP) {
    if (form.operation == VOP_ADD) {
      target->Increment();
    } else {
      target->Decrement();
    }
    return true;
  }
  CNumberResult result;
  if (!script_shortcuts::Operate(expression, form, frame, result)) return false;
  StoreNumberResult(result, *target);
  return true;
}

inline bool CExpressionExecuter::Evaluate(const CSCExpression& expression, CSCFrame& frame, CNValue& out) {
  if (expression.GetQuickForm().shape != QS_VALUE) return EvaluateInGeneral(expression, frame, out);
  QuickEvaluate(expression, frame, out);
  return true;
}

inline bool CExpressionExecuter::Test(const CSCExpression& expression, CSCFrame& frame, bool& truth) {
  return (expression.GetQuickForm().shape == QS_COMPARE && QuickTest(expression, frame, truth)) ||
         TestInGeneral(expression, frame, truth);
}

// Forced: left to itself the compiler keeps this one out of the statement loop.
[[gnu::always_inline]] inline bool CExpressionExecuter::Run(const CSCExpression& expression,
                                                            CSCFrame& frame) {
  return (expression.GetQuickForm().shape >= QS_STEP && QuickRun(expression, frame)) ||
         RunInGeneral(expression, frame);
}
