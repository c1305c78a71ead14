#include "script/expression_executer.h"

#include "objects/object_handles.h"
#include "script/executer.h"
#include "script/expression_shortcuts.h"
#include "script/number_operation.h"
#include "script/script_engine_impl.h"
#include "script/value_operations.h"
#include "values/sub_value.h"

namespace {

bool IsScalar(const CNValue& value) { return value.GetDimensionCount() == 1 && value.GetCount() == 1; }

// A value worth moving rather than copying: copying a scalar keeps the target's storage.
bool IsBulky(const CNValue& value) { return value.GetCount() > 1 || value.IsString(0); }

// The literal text of a value for an error message, cut short.
std::u16string ShortText(const CNValue& value) {
  std::u16string text = value.ToLiteral(false);
  if (text.size() > 64) text.resize(64);
  return text;
}

// Writes a store through to where the place comes from: a slice into the value it is a slice
// of, a property into its object, and on up the chain.
void CommitPlace(CNValue* place) {
  while (place) {
    place->Commit();
    const auto* slice = dynamic_cast<const CNSValue*>(place);
    place = slice ? slice->GetOwner() : nullptr;
  }
}

// The position an index reads, as the slice rules of the value type have it.
uint32_t PositionOf(const ValueElement& index) {
  const double number = ElementAsNumber(index);
  return number >= 0.0 && number <= 4294967295.0 ? static_cast<uint32_t>(number) : 0;
}

// Element position of list copied into out, with the list's quality and time stamp, as a
// one-position slice reads it.
void ReadElement(const CNValue& list, uint32_t position, CNValue& out) {
  out.SetNA();
  out.CopyElementAt(0, list, position);
  out.SetQuality(list.GetQuality());
  out.SetTimeStamp(list.GetTimeStamp());
  out.SetFlags(0);
}

// The number operations on two scalar numbers, without the general element loop.
bool ComputeNumbers(int operation, const CNValue& left, const CNValue& right, CNValue& out) {
  CNumberResult result;
  if (!IsScalarNumber(left) || !IsScalarNumber(right) ||
      !OperateNumbers(operation, left.GetElements()[0].n, right.GetElements()[0].n, result))
    return false;
  StoreNumberResult(result, out);
  return true;
}

bool IsJoin(int operation) { return operation == VOP_ADD || operation == VOP_BITAND || operation == VOP_BITOR; }

}  // namespace

// ---- entry points

template <class Use>
bool CExpressionExecuter::Evaluate(const CSCExpression& expression, CSCFrame& frame, bool discard, Use&& use) {
  CStableStack<COperand>& operands = m_Executer.GetOperands();
  const auto mark = operands.GetMark();
  const size_t size = expression.GetItems().size();
  COperand* base = operands.Push(size + 1);
  COperand* top = base;
  const bool ok = Execute(expression, frame, base, top, discard) && (use(*base), true);
  if (ok) {
    base->Release();
  } else {
    for (COperand* operand = base; operand <= base + size; ++operand) operand->Release();
  }
  operands.Restore(mark);
  return ok;
}

bool CExpressionExecuter::EvaluateInGeneral(const CSCExpression& expression, CSCFrame& frame, CNValue& out) {
  if (expression.IsEmpty()) {
    out.Clear();
    return true;
  }
  return Evaluate(expression, frame, false, [&](COperand& result) { Take(result, out); });
}

bool CExpressionExecuter::TestInGeneral(const CSCExpression& expression, CSCFrame& frame, bool& truth) {
  return Evaluate(expression, frame, false, [&](COperand& result) {
    const CNValue& value = *result.read;
    truth = IsScalar(value) && value.IsBool(0) ? value.GetElements()[0].b != 0 : value.GetBoolAll(0);
  });
}

bool CExpressionExecuter::RunInGeneral(const CSCExpression& expression, CSCFrame& frame) {
  return Evaluate(expression, frame, true, [](COperand&) {});
}

bool CExpressionExecuter::FindObject(const CSCExpression& expression, CSCFrame& frame, CRPtr<CNObject>& object) {
  return Evaluate(expression, frame, false,
                  [&](COperand& result) { object = CRPtr<CNObject>::Retain(ObjectOf(*result.read)); }) &&
         (object || m_Executer.Fail(CE_UNRESOLVED_IDENTIFIER, expression.ToText()));
}

void CExpressionExecuter::Take(COperand& operand, CNValue& out) {
  if (operand.read == &operand.value && IsBulky(operand.value)) {
    out = std::move(operand.value);
  } else {
    AssignValue(out, *operand.read);
  }
}

void CExpressionExecuter::BindReference(COperand& operand, CSlot& slot) {
  if (operand.kind == OK_ELEMENT) MakeSlicePlace(operand);
  slot.variable = operand.place;
  slot.commit = operand.commit;
}

CNObject* CExpressionExecuter::ObjectOf(const CNValue& value) {
  return value.GetCount() == 1 && value.IsObject(0) ? CNObjectHandles::Find(value.GetHandle(0)) : nullptr;
}

void CExpressionExecuter::MakeSlicePlace(COperand& operand) {
  CNValue position;
  position.SetNumber(operand.position);
  const CNValue* index = &position;
  auto slice = CRPtr<CNSValue>::Make();
  slice->Bind(operand.place, &index, 1);
  operand.holder = std::move(slice);
  operand.SetHeldPlace();
}

// ---- the items

bool CExpressionExecuter::Execute(const CSCExpression& expression, CSCFrame& frame, COperand* base, COperand*& top,
                                  bool discard) {
  const std::vector<CExpressionItem>& items = expression.GetItems();
  const CExpressionItem* last = &items.back();
  const CExpressionItem* appendJoin = expression.GetAppendJoin() >= 0 ? &items[expression.GetAppendJoin()] : nullptr;
  // Operands an item takes must be on the stack; a tree the parser built always has them.
  for (const CExpressionItem* next = items.data(); next <= last; ++next) {
    const CExpressionItem& item = *next;
    const auto has = [&](uint32_t n) {
      return top - base >= static_cast<ptrdiff_t>(n) || m_Executer.Fail(CE_INVALID_TOKEN, OperatorText(item.op));
    };
    if (item.direct &&
        QuickOperate(expression, expression.GetDirectOperation(item.direct - 1), frame, *top)) {
      // The operand, the one after it and their operator.
      ++top;
      next += 2;
      continue;
    }
    switch (item.op) {
      case EO_CONSTANT:
        top++->SetConstant(expression.GetConstant(item.operand));
        break;
      case EO_TIME_CONSTANT:
        top->value.FromLiteral(expression.GetText(item.operand), false);
        top++->SetValue();
        break;
      case EO_NAME: {
        // A local or one of the script's variables: no lookup needed.
        const CSCName& name = expression.GetName(item.operand);
        const int32_t slot = name.GetLocalSlot();
        if (slot >= 0 && name.GetParts().size() == 1) {
          top++->SetVariable(frame.slots[slot].variable, frame.slots[slot].commit);
          break;
        }
        if (!PushName(name, frame, *top)) return false;
        ++top;
        break;
      }
      case EO_MEMBER:
        if (!PushName(expression.GetName(item.operand), frame, *top)) return false;
        ++top;
        break;
      case EO_THIS:
        PushObject(frame.owner, *top++);
        break;
      case EO_PARENT:
        if (!frame.owner->GetParent()) return m_Executer.Fail(CE_UNRESOLVED_IDENTIFIER, u"parent");
        PushObject(frame.owner->GetParent(), *top++);
        break;
      case EO_RANGE: {
        if (!has(2)) return false;
        COperand& from = top[-2];
        const COperand& to = top[-1];
        if (!MakeRange(m_Scratch, *from.read, *to.read, m_Executer.GetEngine().GetLimits().maxElements)) {
          const CNValue& wrong = MakeRange(m_Scratch, *from.read, *from.read, 1) ? *to.read : *from.read;
          return m_Executer.Fail(CE_INVALID_RANGE_INDEX, ShortText(wrong));
        }
        from.Release();
        top[-1].Release();
        std::swap(from.value, m_Scratch);
        from.SetValue();
        --top;
        break;
      }
      case EO_ASSIGN:
      case EO_ADD_ASSIGN:
      case EO_SUBTRACT_ASSIGN:
      case EO_MULTIPLY_ASSIGN:
      case EO_DIVIDE_ASSIGN:
      case EO_OR_ASSIGN:
      case EO_AND_ASSIGN:
        if (!has(2) || !Assign(item.op, top[-2], top[-1], frame)) return false;
        top[-1].Release();
        --top;
        break;
      case EO_LOGICAL_OR:
      case EO_LOGICAL_AND:
      case EO_BIT_OR:
      case EO_BIT_AND:
      case EO_EQUAL:
      case EO_NOT_EQUAL:
      case EO_LESS:
      case EO_GREATER:
      case EO_LESS_EQUAL:
      case EO_GREATER_EQUAL:
      case EO_ADD:
      case EO_SUBTRACT:
      case EO_MULTIPLY:
      case EO_DIVIDE:
        if (!has(2)) return false;
        // "v = v & right": the join goes straight into v, whose place the "=" then stores into
        // itself.
        if (!(next == appendJoin && top - base == 3 && top[-2].place == base->place &&
              AppendInPlace(OperatorValueOperation(item.op), top[-2], top[-1])) &&
            !Binary(OperatorValueOperation(item.op), top[-2], top[-1], frame))
          return false;
        top[-1].Release();
        --top;
        break;
      case EO_POWER: {
        if (!has(2)) return false;
        COperand& left = top[-2];
        PowerValues(m_Scratch, *left.read, *top[-1].read);
        left.Release();
        top[-1].Release();
        std::swap(left.value, m_Scratch);
        left.SetValue();
        --top;
        break;
      }
      case EO_NOT:
      case EO_NEGATE:
      case EO_PLUS:
        if (!has(1)) return false;
        Unary(item.op, top[-1]);
        break;
      case EO_PRE_INCREMENT:
      case EO_PRE_DECREMENT:
      case EO_POST_INCREMENT:
      case EO_POST_DECREMENT:
        if (!has(1) || !Step(item.op, top[-1], !(discard && &item == last))) return false;
        break;
      case EO_NEW_OBJECT: {
        if (!has(item.count)) return false;
        top -= item.count;
        for (uint32_t i = 0; i < item.count; ++i) top[i].Release();
        if (!NewObject(expression.GetText(item.operand), frame, *top)) return false;
        ++top;
        break;
      }
      case EO_NEW_ARRAY:
      case EO_ARRAY_FORM: {
        if (!has(item.count)) return false;
        top -= item.count;
        std::vector<const CNValue*> items(item.count);
        for (uint32_t i = 0; i < item.count; ++i) items[i] = top[i].read;
        const uint32_t limit = m_Executer.GetEngine().GetLimits().maxElements;
        const bool made = item.op == EO_ARRAY_FORM ? MakeArray(m_Scratch, items.data(), item.count, limit)
                                                   : MakeSizedArray(m_Scratch, items.data(), item.count, limit);
        for (uint32_t i = 0; i < item.count; ++i) top[i].Release();
        if (!made)
          return m_Executer.Fail(CE_CANNOT_CREATE_ARRAY,
                                 item.op == EO_ARRAY_FORM ? u"c" : std::u16string_view(expression.GetText(item.operand)));
        std::swap(top->value, m_Scratch);
        top++->SetValue();
        break;
      }
      case EO_DELETE:
        if (!Delete(expression.GetName(item.operand), frame, *top)) return false;
        ++top;
        break;
      case EO_CALL:
        if (!has(item.count)) return false;
        top -= item.count;
        if (!Call(expression.GetName(item.operand), frame, top, item.count)) return false;
        ++top;
        break;
      case EO_INDEX:
        if (!has(item.count + 1)) return false;
        top -= item.count;
        if (!Index(top[-1], top, item.count)) return false;
        break;
      case EO_COUNT:
        return m_Executer.Fail(CE_INVALID_TOKEN, {});
    }
  }
  return top - base == 1 || m_Executer.Fail(CE_INVALID_TOKEN, {});
}

// ---- operators

bool CExpressionExecuter::Compute(int operation, const CNValue& left, const CNValue& right, CNValue& out,
                                  CSCFrame& frame) {
  if (ComputeNumbers(operation, left, right, out)) return true;
  if (IsJoin(operation) && !JoinFits(left, right, m_Executer.GetEngine().GetLimits().maxTextLength))
    return m_Executer.Stop(frame);
  CNValue::Operate(operation, out, left, right);
  return true;
}

bool CExpressionExecuter::Binary(int operation, COperand& left, const COperand& right, CSCFrame& frame) {
  // The result goes into left's own value; two numbers are read before it is written, anything
  // else is built aside when left reads from there.
  if (!ComputeNumbers(operation, *left.read, *right.read, left.value)) {
    const bool inPlace = left.read != &left.value;
    CNValue& out = inPlace ? left.value : m_Scratch;
    if (!Compute(operation, *left.read, *right.read, out, frame)) return false;
    if (!inPlace) std::swap(left.value, m_Scratch);
  }
  left.Release();
  left.SetValue();
  return true;
}

void CExpressionExecuter::Unary(ExpressionOp op, COperand& operand) {
  const CNValue& value = *operand.read;
  if (op != EO_NOT && IsScalar(value) && value.IsNumber(0)) {
    const double number = value.GetElements()[0].n;
    operand.value.SetNumber(op == EO_NEGATE ? -number : number);
    operand.value.SetFlags(0);
  } else if (op == EO_NOT) {
    NotValue(m_Scratch, value);
    std::swap(operand.value, m_Scratch);
  } else {
    // "unary-" and "unary+" multiply by -1 and by 1.
    CNValue factor;
    factor.SetNumber(op == EO_NEGATE ? -1.0 : 1.0);
    CNValue::Operate(VOP_MULTIPLY, m_Scratch, value, factor);
    std::swap(operand.value, m_Scratch);
  }
  operand.Release();
  operand.SetValue();
}

bool CExpressionExecuter::Assign(ExpressionOp op, COperand& target, COperand& source, CSCFrame& frame) {
  if (!target.IsPlace()) return NotAPlace(target);
  if (op == EO_ASSIGN) return Store(target, source);
  if (AppendInPlace(OperatorValueOperation(op), target, source)) return true;
  if (!Compute(OperatorValueOperation(op), *target.read, *source.read, m_Scratch, frame)) return false;
  std::swap(source.value, m_Scratch);
  source.Release();
  source.SetValue();
  return Store(target, source);
}

bool CExpressionExecuter::AppendInPlace(int operation, const COperand& variable, const COperand& right) {
  // A place that commits (a property, a slice, a reference bound to one) is written through
  // its own store; only a variable's storage is changed here.
  if (variable.kind != OK_VARIABLE || variable.commit || !IsJoin(operation)) return false;
  CNValue& text = *variable.place;
  const CNValue& tail = *right.read;
  if (!IsScalar(text) || !text.IsString(0) || !IsScalar(tail) || !tail.IsString(0) ||
      !JoinFits(text, tail, m_Executer.GetEngine().GetLimits().maxTextLength))
    return false;
  return text.AppendString(tail.GetStringView(0));
}

// Stores source into target and leaves target reading what it holds now.
bool CExpressionExecuter::Store(COperand& target, COperand& source) {
  if (target.kind == OK_ELEMENT) {
    target.place->CopyElementAt(target.position, *source.read, 0);
    ReadElement(*target.place, target.position, target.value);
  } else {
    Take(source, *target.place);
  }
  if (target.commit) CommitPlace(target.place);
  return true;
}

// "++" and "--" change the place in place; the prefix forms read the new value, the postfix
// forms the old one.
bool CExpressionExecuter::Step(ExpressionOp op, COperand& target, bool keepOld) {
  if (!target.IsPlace()) return NotAPlace(target);
  const bool up = op == EO_PRE_INCREMENT || op == EO_POST_INCREMENT;
  const bool postfix = keepOld && (op == EO_POST_INCREMENT || op == EO_POST_DECREMENT);
  CNValue& changed = target.kind == OK_ELEMENT ? m_Scratch : *target.place;
  if (target.kind == OK_ELEMENT) {
    m_Scratch.Assign(target.value);
  } else if (postfix) {
    target.value.Assign(*target.place);
  }
  if (up) {
    changed.Increment();
  } else {
    changed.Decrement();
  }
  if (target.kind == OK_ELEMENT) {
    target.place->CopyElementAt(target.position, m_Scratch, 0);
    if (!postfix) ReadElement(*target.place, target.position, target.value);
  }
  if (target.commit) CommitPlace(target.place);
  if (postfix) {
    target.Release();
    target.SetValue();
  }
  return true;
}

bool CExpressionExecuter::NotAPlace(const COperand& operand) {
  return m_Executer.Fail(CE_ASSIGN_TO_CONSTANT, ShortText(*operand.read));
}

// base[indexes]: a place stays a place (an element or a slice of it); a value becomes its slice.
bool CExpressionExecuter::Index(COperand& base, COperand* indexes, uint32_t count) {
  if (base.kind == OK_ELEMENT) MakeSlicePlace(base);
  const CNValue& list = *base.read;
  const bool single = count == 1 && list.GetDimensionCount() == 1 && indexes[0].read->GetCount() == 1 &&
                      !indexes[0].read->IsBool(0);
  if (single) {
    const uint32_t position = PositionOf(indexes[0].read->GetElements()[0]);
    indexes[0].Release();
    if (base.kind == OK_VARIABLE) {
      base.kind = OK_ELEMENT;
      base.position = position;
      base.read = &base.value;
      ReadElement(*base.place, position, base.value);
      return true;
    }
    ReadElement(list, position, m_Scratch);
  } else {
    std::vector<const CNValue*> selection(count);
    for (uint32_t i = 0; i < count; ++i) selection[i] = indexes[i].read;
    if (!SliceFits(list, selection.data(), count, m_Executer.GetEngine().GetLimits().maxElements)) {
      for (uint32_t i = 0; i < count; ++i) indexes[i].Release();
      return m_Executer.Fail(CE_CANNOT_CREATE_ARRAY, u"[]");
    }
    if (base.kind == OK_VARIABLE) {
      auto slice = CRPtr<CNSValue>::Make();
      slice->Bind(base.place, selection.data(), count);
      for (uint32_t i = 0; i < count; ++i) indexes[i].Release();
      base.holder = std::move(slice);
      base.SetHeldPlace();
      return true;
    }
    list.GetSlice(m_Scratch, selection.data(), count);
    for (uint32_t i = 0; i < count; ++i) indexes[i].Release();
  }
  std::swap(base.value, m_Scratch);
  base.Release();
  base.SetValue();
  return true;
}
