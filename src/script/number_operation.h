#pragma once

#include "values/value.h"

// The arithmetic and comparison operations on two numbers, with the results the value type's
// element-wise operation gives: a number, a bool, or no value (division by zero).
struct CNumberResult {
  ValueKind kind = VK_NA;
  double number = 0.0;
  bool truth = false;
};

// False when operation is none of them.
inline bool OperateNumbers(int operation, double a, double b, CNumberResult& result) {
  result.kind = VK_NUMBER;
  switch (operation) {
    case VOP_ADD: result.number = a + b; return true;
    case VOP_SUBTRACT: result.number = a - b; return true;
    case VOP_MULTIPLY: result.number = a * b; return true;
    case VOP_DIVIDE:
      result.number = b == 0.0 ? 0.0 : a / b;
      if (b == 0.0) result.kind = VK_NA;
      return true;
    default: break;
  }
  result.kind = VK_BOOL;
  switch (operation) {
    case VOP_EQUAL: result.truth = a == b; return true;
    case VOP_NOTEQUAL: result.truth = a != b; return true;
    case VOP_LESS: result.truth = a < b; return true;
    case VOP_LESSEQUAL: result.truth = a <= b; return true;
    case VOP_GREATER: result.truth = a > b; return true;
    case VOP_GREATEREQUAL: result.truth = a >= b; return true;
    default: return false;
  }
}

// out becomes the result as a fresh scalar: no quality, no time stamp, no flags.
inline void StoreNumberResult(const CNumberResult& result, CNValue& out) {
  if (result.kind == VK_NUMBER) {
    out.SetNumber(result.number);
  } else if (result.kind == VK_BOOL) {
    out.SetBool(result.truth);
  } else {
    out.SetNA();
  }
  out.SetFlags(0);
}

inline bool IsScalarNumber(const CNValue& value) {
  return value.GetDimensionCount() == 1 && value.GetCount() == 1 && value.IsNumber(0);
}

// target.Assign(source), a scalar number into a scalar number done inline: the common case of
// results, parameters and locals.
inline void AssignValue(CNValue& target, const CNValue& source) {
  if (&target == &source) return;
  if (!IsScalarNumber(source) || !IsScalarNumber(target)) {
    target.Assign(source);
    return;
  }
  target.SetNumber(source.GetElements()[0].n);
  target.SetQuality(source.GetQuality());
  target.SetTimeStamp(source.GetTimeStamp());
  target.SetFlags(source.GetFlags());
}
