#pragma once

#include <cstdint>

#include "support/ref_cnt.h"
#include "values/value.h"

// What an operand of a running expression stands for.
enum OperandKind : uint8_t {
  OK_VALUE,     // a value only: a result, a constant, an object
  OK_VARIABLE,  // a storage place: a variable, or a property or slice standing in a place object
  OK_ELEMENT,   // one element of a list held in a storage place (the fast form of "a[i]")
};

// One entry of the operand stack of CExpressionExecuter. Entries are reused from expression to
// expression, so that the values they hold keep their storage.
struct COperand {
  OperandKind kind = OK_VALUE;
  // The stores into place (or into base, for an element) must be committed: the place is a
  // property or slice value, or a reference parameter bound to one.
  bool commit = false;
  uint32_t position = 0;          // OK_ELEMENT: the element's position in base
  const CNValue* read = nullptr;  // what the operand reads
  CNValue* place = nullptr;       // OK_VARIABLE: the place; OK_ELEMENT: the list
  CRPtr<CNValue> holder;          // keeps the place object of a property or slice alive
  CNValue value;                  // the operand's own value

  bool IsPlace() const { return kind != OK_VALUE; }
  // value holds the result; nothing else is referred to.
  void SetValue() {
    kind = OK_VALUE;
    read = &value;
  }
  void SetConstant(const CNValue& constant) {
    kind = OK_VALUE;
    read = &constant;
  }
  void SetVariable(CNValue* variable, bool commits) {
    kind = OK_VARIABLE;
    read = place = variable;
    commit = commits;
  }
  // holder must be set to the place object first.
  void SetHeldPlace() { SetVariable(holder.Get(), true); }
  void Release() {
    if (holder) holder.Reset();
  }
};
