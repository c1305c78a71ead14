// Element-wise operators of the script language on whole values.
#include <array>
#include <cmath>
#include <compare>
#include <utility>

#include "values/value.h"

namespace {

void SetBoolElement(ValueElement& out, bool value) {
  out.kind = VK_BOOL;
  out.b = value ? 1 : 0;
}

void SetNumberElement(ValueElement& out, double value) {
  out.kind = VK_NUMBER;
  out.n = value;
}

void SetTimeElement(ValueElement& out, FileTime value) {
  out.kind = VK_TIME;
  out.t = value;
}

void JoinStrings(ValueElement& out, const ValueElement& l, const ValueElement& r) {
  std::u16string joined(ElementString(l));
  joined += ElementString(r);
  SetElementString(out, joined);
}

uint32_t Low32(double number) { return static_cast<uint32_t>(static_cast<uint64_t>(TruncateToInt64(number))); }

// Seconds as a tick count, truncated.
uint64_t SecondsToTicks(const ValueElement& e) {
  return static_cast<uint64_t>(TruncateToInt64(ElementAsNumber(e) * static_cast<double>(kTicksPerSecond)));
}

bool IsSecondsOperand(const ValueElement& e) {
  return e.kind == VK_BOOL || e.kind == VK_NUMBER || e.kind == VK_STRING;
}

// Three-way comparison of l with r converted to l's kind; unordered for NaN.
std::partial_ordering Compare(const ValueElement& l, const ValueElement& r) {
  const bool same = l.kind == r.kind;
  switch (l.kind) {
    case VK_BOOL: return l.b <=> int32_t(same ? r.b : ElementAsBool(r));
    case VK_NUMBER: return l.n <=> (same ? r.n : ElementAsNumber(r));
    case VK_STRING:
      if (same) return ElementString(l).compare(ElementString(r)) <=> 0;
      return ElementString(l).compare(ElementText(r)) <=> 0;
    case VK_TIME: return l.t <=> (same ? r.t : ElementAsTime(r));
    case VK_OBJECT: return l.h <=> (same ? r.h : ElementAsHandle(r));
    default: return std::partial_ordering::unordered;
  }
}

bool CompareResult(int op, std::partial_ordering order) {
  switch (op) {
    case VOP_EQUAL: return order == 0;
    case VOP_NOTEQUAL: return order != 0;  // true for unordered (NaN)
    case VOP_GREATER: return order > 0;
    case VOP_GREATEREQUAL: return order >= 0;
    case VOP_LESS: return order < 0;
    default: return order <= 0;
  }
}

void Add(ValueElement& out, const ValueElement& l, const ValueElement& r) {
  if (l.kind == VK_STRING && r.kind == VK_STRING) {
    JoinStrings(out, l, r);
  } else if (l.kind == VK_TIME) {
    if (IsSecondsOperand(r)) SetTimeElement(out, l.t + SecondsToTicks(r));
  } else {
    SetNumberElement(out, ElementAsNumber(l) + ElementAsNumber(r));
  }
}

void Subtract(ValueElement& out, const ValueElement& l, const ValueElement& r) {
  if (l.kind != VK_TIME) {
    SetNumberElement(out, ElementAsNumber(l) - ElementAsNumber(r));
  } else if (IsSecondsOperand(r)) {
    SetTimeElement(out, l.t - SecondsToTicks(r));
  } else if (r.kind == VK_TIME) {
    // Whole milliseconds of the difference, in seconds, with the difference's sign.
    const bool negative = l.t < r.t;
    const uint64_t ticks = negative ? r.t - l.t : l.t - r.t;
    const double seconds = static_cast<double>(ticks / kTicksPerMillisecond) / 1000.0;
    SetNumberElement(out, negative ? -seconds : seconds);
  }
}

// out is kind 0 on entry.
void OperateElement(int op, ValueElement& out, const ValueElement& l, const ValueElement& r) {
  if (l.kind == VK_NA || r.kind == VK_NA) {
    const bool both = l.kind == VK_NA && r.kind == VK_NA;
    if (op == VOP_EQUAL) SetBoolElement(out, both);
    if (op == VOP_NOTEQUAL) SetBoolElement(out, !both);
    return;
  }
  switch (op) {
    case VOP_AND: SetBoolElement(out, ElementAsBool(l) && ElementAsBool(r)); return;
    case VOP_OR: SetBoolElement(out, ElementAsBool(l) || ElementAsBool(r)); return;
    case VOP_BITAND:
    case VOP_BITOR:
      if (l.kind == VK_STRING && r.kind == VK_STRING) {
        JoinStrings(out, l, r);
      } else {
        const uint32_t a = Low32(ElementAsNumber(l)), b = Low32(ElementAsNumber(r));
        SetNumberElement(out, op == VOP_BITAND ? a & b : a | b);
      }
      return;
    case VOP_EQUAL:
    case VOP_NOTEQUAL:
    case VOP_GREATER:
    case VOP_GREATEREQUAL:
    case VOP_LESS:
    case VOP_LESSEQUAL: SetBoolElement(out, CompareResult(op, Compare(l, r))); return;
    case VOP_ADD: Add(out, l, r); return;
    case VOP_SUBTRACT: Subtract(out, l, r); return;
    case VOP_MULTIPLY: SetNumberElement(out, ElementAsNumber(l) * ElementAsNumber(r)); return;
    case VOP_DIVIDE: {
      const double divisor = ElementAsNumber(r);
      if (divisor != 0.0) SetNumberElement(out, ElementAsNumber(l) / divisor);
      return;
    }
    default: return;
  }
}

bool IsKnownOperation(int op) { return op >= VOP_AND && op <= VOP_DIVIDE; }

// The fast case of one element pair, when both are numbers; false leaves it to OperateElement.
template <int Op>
bool OperateNumbers(ValueElement& out, const ValueElement& a, const ValueElement& b) {
  if (a.kind != VK_NUMBER || b.kind != VK_NUMBER) return false;
  if constexpr (Op == VOP_ADD || Op == VOP_SUBTRACT || Op == VOP_MULTIPLY) {
    out.kind = VK_NUMBER;
    out.length = 0;
    out.n = Op == VOP_ADD ? a.n + b.n : Op == VOP_SUBTRACT ? a.n - b.n : a.n * b.n;
    return true;
  } else if constexpr (Op == VOP_EQUAL || Op == VOP_NOTEQUAL || Op == VOP_LESS || Op == VOP_GREATER) {
    out.kind = VK_BOOL;
    out.length = 0;
    out.t = 0;
    out.b = Op == VOP_EQUAL ? a.n == b.n : Op == VOP_NOTEQUAL ? a.n != b.n : Op == VOP_LESS ? a.n < b.n : a.n > b.n;
    return true;
  } else {
    return false;
  }
}

template <int Op>
void OperateGeneral(ValueElement& out, const ValueElement& a, const ValueElement& b) {
  out = ValueElement{};
  OperateElement(Op, out, a, b);
}

// An arithmetic or comparison operation over a list of numbers and a number: one
// branch-free pass that writes every element as if it were a number, reporting whether all were.
template <int Op>
constexpr bool kHasNumberRun = Op == VOP_ADD || Op == VOP_SUBTRACT || Op == VOP_MULTIPLY || Op == VOP_EQUAL ||
                               Op == VOP_NOTEQUAL || Op == VOP_LESS || Op == VOP_GREATER;

template <int Op>
bool OperateNumberRun(ValueElement* out, uint32_t count, const ValueElement* l, double b) {
  bool allNumbers = true;
  for (uint32_t i = 0; i < count; ++i) {
    allNumbers &= l[i].kind == VK_NUMBER;
    const double a = l[i].n;
    out[i].length = 0;
    if constexpr (Op == VOP_ADD || Op == VOP_SUBTRACT || Op == VOP_MULTIPLY) {
      out[i].kind = VK_NUMBER;
      out[i].n = Op == VOP_ADD ? a + b : Op == VOP_SUBTRACT ? a - b : a * b;
    } else {
      out[i].kind = VK_BOOL;
      out[i].t = 0;
      out[i].b = Op == VOP_EQUAL ? a == b : Op == VOP_NOTEQUAL ? a != b : Op == VOP_LESS ? a < b : a > b;
    }
  }
  return allNumbers;
}

// The loop over all elements of a result whose elements are not yet written.
template <int Op>
void OperateAll(ValueElement* out, uint32_t count, const ValueElement* l, const ValueElement* r,
                uint32_t rightCount) {
  if (rightCount == 1) {
    const ValueElement b = r[0];  // a shallow copy the loop's stores cannot alias
    if constexpr (kHasNumberRun<Op>) {
      if (b.kind == VK_NUMBER && OperateNumberRun<Op>(out, count, l, b.n)) return;
    }
    for (uint32_t i = 0; i < count; ++i)
      if (!OperateNumbers<Op>(out[i], l[i], b)) OperateGeneral<Op>(out[i], l[i], b);
    return;
  }
  for (uint32_t i = 0, j = 0; i < count; ++i) {
    if (!OperateNumbers<Op>(out[i], l[i], r[j])) OperateGeneral<Op>(out[i], l[i], r[j]);
    if (++j == rightCount) j = 0;
  }
}

using OperateAllFn = void (*)(ValueElement*, uint32_t, const ValueElement*, const ValueElement*, uint32_t);

template <int... Ops>
constexpr auto MakeTable(std::integer_sequence<int, Ops...>) {
  return std::array<OperateAllFn, sizeof...(Ops)>{&OperateAll<Ops>...};
}

constexpr auto kOperateAll = MakeTable(std::make_integer_sequence<int, VOP_DIVIDE + 1>{});

}  // namespace

bool CNValue::Operate(int op, CNValue& result, const CNValue& left, const CNValue& right) {
  if (&result == &left || &result == &right) {
    CNValue temporary;
    const bool known = Operate(op, temporary, left, right);
    result = std::move(temporary);
    return known;
  }
  if (left.m_ulCount == 0 || right.m_ulCount == 0) {
    result.Clear();
    const bool bothEmpty = left.m_ulCount == 0 && right.m_ulCount == 0;
    if (op == VOP_EQUAL) result.SetBool(bothEmpty);
    if (op == VOP_NOTEQUAL) result.SetBool(!bothEmpty);
    return IsKnownOperation(op);
  }
  if (!IsKnownOperation(op)) {
    result.SetDimensions(left.m_usDimCount, left.m_pDimSizes);
    return false;
  }
  if (!result.Shape(left.m_usDimCount, left.m_pDimSizes, false)) return true;
  // Only joins of two strings make strings.
  if ((op == VOP_ADD || op == VOP_BITAND || op == VOP_BITOR) && (left.m_ucFlags & kMayHoldStrings) &&
      (right.m_ucFlags & kMayHoldStrings))
    result.m_ucFlags |= kMayHoldStrings;
  kOperateAll[op](result.m_pElements, result.m_ulCount, left.m_pElements, right.m_pElements, right.m_ulCount);
  return true;
}
