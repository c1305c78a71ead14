// Conditions such as "i < 10" and statements such as "i++", "s = s + i" and "s += i" on
// variables and constants holding scalar numbers, done directly on the values. The results are
// the ones the general evaluation gives.
#include "script/executer.h"
#include "script/expression_executer.h"
#include "script/number_operation.h"

namespace {

// The value an item reads without lookup: a constant, or a local, parameter or variable of the
// script named alone. store tells whether a store may go straight into it (no commit needed).
const CNValue* Direct(const CSCExpression& expression, const CExpressionItem& item, const CSCFrame& frame,
                      bool& store) {
  store = false;
  if (item.op == EO_CONSTANT) return &expression.GetConstant(item.operand);
  if (item.op != EO_NAME) return nullptr;
  const CSCName& name = expression.GetName(item.operand);
  if (name.GetParts().size() != 1) return nullptr;
  if (name.GetLocalSlot() >= 0) {
    const CSlot& slot = frame.slots[name.GetLocalSlot()];
    store = !slot.commit;
    return slot.variable;
  }
  if (name.GetScopeVariable() < 0) return nullptr;
  store = true;
  return &frame.script->scope.GetVariableValue(static_cast<uint32_t>(name.GetScopeVariable()));
}

// The number a direct item reads, when it is a scalar number.
bool DirectNumber(const CSCExpression& expression, const CExpressionItem& item, const CSCFrame& frame,
                  double& number) {
  bool store = false;
  const CNValue* value = Direct(expression, item, frame, store);
  if (!value || !IsScalarNumber(*value)) return false;
  number = value->GetElements()[0].n;
  return true;
}

// A variable a store may go straight into.
CNValue* DirectTarget(const CSCExpression& expression, const CExpressionItem& item, const CSCFrame& frame) {
  bool store = false;
  const CNValue* value = item.op == EO_NAME ? Direct(expression, item, frame, store) : nullptr;
  return store ? const_cast<CNValue*>(value) : nullptr;
}

}  // namespace

// x op y, with op a comparison.
bool CExpressionExecuter::QuickTest(const CSCExpression& expression, const CSCFrame& frame, bool& truth) const {
  const std::vector<CExpressionItem>& items = expression.GetItems();
  if (items.size() != 3) return false;
  CNumberResult result;
  double a = 0;
  double b = 0;
  if (!DirectNumber(expression, items[0], frame, a) || !DirectNumber(expression, items[1], frame, b) ||
      !OperateNumbers(OperatorValueOperation(items[2].op), a, b, result) || result.kind != VK_BOOL)
    return false;
  truth = result.truth;
  return true;
}

// v++, v--, ++v, --v; v = x op y; v op= x.
bool CExpressionExecuter::QuickRun(const CSCExpression& expression, const CSCFrame& frame) const {
  const std::vector<CExpressionItem>& items = expression.GetItems();
  if (items.empty()) return false;
  CNValue* target = DirectTarget(expression, items[0], frame);
  if (!target) return false;
  const ExpressionOp last = items.back().op;
  if (items.size() == 2) {
    const bool up = last == EO_POST_INCREMENT || last == EO_PRE_INCREMENT;
    if (!up && last != EO_POST_DECREMENT && last != EO_PRE_DECREMENT) return false;
    if (up) {
      target->Increment();
    } else {
      target->Decrement();
    }
    return true;
  }
  CNumberResult result;
  double a = 0;
  double b = 0;
  if (items.size() == 5 && last == EO_ASSIGN && OperatorLevel(items[3].op) > OperatorLevel(EO_ASSIGN)) {
    if (!DirectNumber(expression, items[1], frame, a) || !DirectNumber(expression, items[2], frame, b) ||
        !OperateNumbers(OperatorValueOperation(items[3].op), a, b, result))
      return false;
  } else if (items.size() == 3 && last != EO_ASSIGN && OperatorLevel(last) == OperatorLevel(EO_ASSIGN)) {
    if (!IsScalarNumber(*target) || !DirectNumber(expression, items[1], frame, b) ||
        !OperateNumbers(OperatorValueOperation(last), target->GetElements()[0].n, b, result))
      return false;
  } else {
    return false;
  }
  StoreNumberResult(result, *target);
  return true;
}
