// Evaluation of a compiled bind script: the case walk and the postfix sequences.
#include <span>
#include <utility>

#include "binds/bind_operators.h"
#include "binds/bind_script_parser_impl.h"
#include "binds/tag_parser_tokenizer.h"
#include "script/number_operation.h"
#include "script/value_operations.h"

namespace {

// The value type's truth test, with the one-bool case done inline.
bool IsTrue(const CNValue& value) {
  if (value.GetDimensionCount() == 1 && value.GetCount() == 1 && value.IsBool(0))
    return value.GetElements()[0].b != 0;
  return value.GetBoolAll(0);
}

// The one element of a scalar that holds a value; null otherwise.
const ValueElement* ScalarElement(const CNValue& value) {
  if (value.GetDimensionCount() != 1 || value.GetCount() != 1 || value.IsNA(0)) return nullptr;
  return value.GetElements();
}

const CNValue& Factor(double factor) {
  static const CNValue minus = [] {
    CNValue v;
    v.SetNumber(-1.0);
    return v;
  }();
  static const CNValue plus = [] {
    CNValue v;
    v.SetNumber(1.0);
    return v;
  }();
  return factor < 0 ? minus : plus;
}

}  // namespace

const CNValue* CNBindScriptParserImpl::EvaluateCases() {
  // A function the owner runs could reach this bind again; the stack is in use until the
  // outer evaluation ends, so the inner one gives nothing.
  if (m_bRunning) return nullptr;
  m_bRunning = true;
  struct Running {
    bool& flag;
    ~Running() { flag = false; }
  } running{m_bRunning};
  if (m_Error.IsError()) m_Error = CTagParserCompilerError();
  for (size_t i = 0; i < m_Program.cases.size(); ++i) {
    const CBindCase& entry = m_Program.cases[i];
    if (entry.condition != entry.expression) {
      const COperand* condition = Run(entry.condition, entry.expression);
      if (!condition) return nullptr;
      if (!IsTrue(*condition->read)) continue;
    }
    Select(static_cast<int32_t>(i));
    const COperand* result = Run(entry.expression, entry.end);
    return result ? result->read : nullptr;
  }
  Select(-1);
  return nullptr;
}

const CNBindScriptParserImpl::COperand* CNBindScriptParserImpl::Run(uint32_t begin, uint32_t end) {
  // The compiler sized the stack for the deepest sequence and checked that every item finds
  // the values it takes.
  COperand* top = m_pStack.get();
  ConnectionPoint* owner = GetConnectionPoint();
  for (uint32_t i = begin; i < end; ++i) {
    const CBindItem& item = m_Program.items[i];
    switch (item.kind) {
      case BI_LITERAL:
        top->read = &m_Program.literals[item.index];
        top++->target = -1;
        break;
      case BI_NAME: {
        const CBindName& name = m_Program.names[item.index];
        if (!name.subscribed || !owner || !owner->Read(GetIdentity(), name.handle, m_pArgument, top->value)) {
          RunError(CE_UNRESOLVED_IDENTIFIER, name.name, name.position);
          return nullptr;
        }
        top->read = &top->value;
        top++->target = -1;
        break;
      }
      case BI_TARGET:
        top->value.SetNumber(m_Program.names[item.index].handle);
        top->read = &top->value;
        top++->target = static_cast<int32_t>(item.index);
        break;
      case BI_EMPTY:
        top->read = &m_LeftOut;
        top++->target = -1;
        break;
      case BI_UNARY:
        Unary(item.operation, top[-1]);
        break;
      case BI_BINARY:
        Binary(item.operation, top[-2], top[-1]);
        --top;
        break;
      case BI_ASSIGN:
        Assign(top[-2], top[-1]);
        --top;
        break;
      case BI_CALL:
        if (!Call(item, top)) return nullptr;
        break;
    }
  }
  return top - 1;
}

bool CNBindScriptParserImpl::Call(const CBindItem& item, COperand*& top) {
  top -= item.count;
  for (uint16_t i = 0; i < item.count; ++i) m_Arguments[i] = top[i].read;
  const CBindFunction& function = m_Program.functions[item.index];
  ConnectionPoint* owner = GetConnectionPoint();
  m_CallResult.Clear();
  if (!owner || !owner->Call(GetIdentity(), function.name, std::span(m_Arguments.data(), item.count),
                             m_CallResult, function.position))
    return RunError(CE_FUNCTION_STOPPED, function.name, function.position);
  std::swap(top->value, m_CallResult);
  top->read = &top->value;
  top++->target = -1;
  return true;
}

void CNBindScriptParserImpl::Unary(uint8_t op, COperand& operand) {
  const CNValue& value = *operand.read;
  if (const ValueElement* element = ScalarElement(value); op == BO_NOT && element) {
    operand.value.SetBool(!ElementAsBool(*element));
  } else if (op == BO_NOT) {
    NotValue(m_Scratch, value);
    std::swap(operand.value, m_Scratch);
  } else if (IsScalarNumber(value)) {
    const double number = value.GetElements()[0].n;
    operand.value.SetNumber(op == BO_NEGATE ? -number : number);
    operand.value.SetFlags(0);
  } else {
    // "unary-" and "unary+" multiply by -1 and by 1.
    CNValue::Operate(VOP_MULTIPLY, m_Scratch, value, Factor(op == BO_NEGATE ? -1.0 : 1.0));
    std::swap(operand.value, m_Scratch);
  }
  operand.read = &operand.value;
  operand.target = -1;
}

// The result goes into left's own value; two numbers are read before it is written, anything
// else is built aside when left reads from there.
void CNBindScriptParserImpl::Binary(int operation, COperand& left, const COperand& right) {
  CNumberResult number;
  const ValueElement* a = ScalarElement(*left.read);
  const ValueElement* b = ScalarElement(*right.read);
  if (a && b && a->kind == VK_NUMBER && b->kind == VK_NUMBER &&
      OperateNumbers(operation, a->n, b->n, number)) {
    StoreNumberResult(number, left.value);
  } else if (a && b && (operation == VOP_AND || operation == VOP_OR)) {
    const bool x = ElementAsBool(*a);
    const bool y = ElementAsBool(*b);
    left.value.SetBool(operation == VOP_AND ? x && y : x || y);
  } else if (left.read == &left.value) {
    CNValue::Operate(operation, m_Scratch, left.value, *right.read);
    std::swap(left.value, m_Scratch);
  } else {
    CNValue::Operate(operation, left.value, *left.read, *right.read);
  }
  left.read = &left.value;
  left.target = -1;
}

// "=": true when the owner took the write. Only a name directly in front of "=" is a target;
// anything else on the left ("(a) = 1") is written nowhere.
void CNBindScriptParserImpl::Assign(COperand& target, const COperand& source) {
  bool written = false;
  if (target.target >= 0) {
    const CBindName& name = m_Program.names[static_cast<size_t>(target.target)];
    ConnectionPoint* owner = GetConnectionPoint();
    written = name.subscribed && owner && owner->Write(GetIdentity(), name.handle, *source.read);
  }
  target.value.SetBool(written);
  target.read = &target.value;
  target.target = -1;
}

bool CNBindScriptParserImpl::RunError(CompilerErrorCode code, std::u16string_view detail, uint32_t position) {
  uint32_t line = 0;
  uint32_t column = 0;
  CTagParserTokenizer::Locate(m_strScript, position, line, column);
  m_Error = CTagParserCompilerError(code, detail, line, column);
  return false;
}
