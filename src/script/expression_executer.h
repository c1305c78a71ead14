#pragma once

#include <cstdint>

#include "objects/object.h"
#include "script/expression.h"
#include "script/method_table.h"
#include "script/operand.h"

class CSCExecuter;
struct CSCFrame;
struct CSlot;
struct CScriptEntry;

// Evaluates the postfix expressions of a running script on an operand stack. Names become
// operands through the order of the language: locals and parameters and the script's own
// variables by the slots the compiler found; the with objects and the object model by name when
// run. What the language means where the compiler leaves it open:
// - Member lookup on an object ("parent.x", a with object, the owner for plain names): a
//   property, then a top-level variable of the object's script, then a child by name; every part
//   but the last must lead to an object.
// - A plain call "f(...)": the script's own function, then the with objects, the owner's methods
//   (its script's functions, then the built-in tables) and last the root's global functions.
// - Operands that name variables are read when their operator or call uses them, and both
//   operands of "&&" and "||" are always evaluated.
// - "^" raises element by element; "!" negates the truth of every element.
// - "++" and "--" before the operand yield the changed value, after it the old one.
// - An assignment yields its left operand, the place itself.
// - "delete name" empties the place the name stands for; when it held an object a script made
//   with "new", the engine lets that object go. It yields the empty value.
// - "new Class(arguments)" evaluates the arguments and makes the object; the engine keeps it for
//   the owner of the script that made it until that owner is removed or the object deleted.
// - "a:b" counts down when b is below a; both must be whole numbers.
// - c(...) needs items of one shape: c(1,2) is a list, c(c(1,2),c(3,4)) a 2 by 2 array.
class CExpressionExecuter {
 public:
  explicit CExpressionExecuter(CSCExecuter& executer) : m_Executer(executer) {}

  // Each returns false after a run-time error. The quick forms are worked out inline
  // (expression_shortcuts.h), everything else on the operand stack.
  bool Evaluate(const CSCExpression& expression, CSCFrame& frame, CNValue& out);
  // The truth of the value: true when any element is true.
  bool Test(const CSCExpression& expression, CSCFrame& frame, bool& truth);
  bool Run(const CSCExpression& expression, CSCFrame& frame);
  // The object a with statement's expression names.
  bool FindObject(const CSCExpression& expression, CSCFrame& frame, CRPtr<CNObject>& object);

  // Copies the operand's value into out, or moves it there when it is the operand's own.
  static void Take(COperand& operand, CNValue& out);
  // Binds the slot of a reference parameter to the place operand; an element place becomes a
  // slice place first.
  static void BindReference(COperand& operand, CSlot& slot);
  // The object an object value names; null for any other value or an object that died.
  static CNObject* ObjectOf(const CNValue& value);

 private:
  template <class Use>
  bool Evaluate(const CSCExpression& expression, CSCFrame& frame, bool discard, Use&& use);
  // Runs the items; the result is the operand at base. False after an error. With discard the
  // result is not used, so a postfix "++" or "--" at the end need not keep the old value.
  bool Execute(const CSCExpression& expression, CSCFrame& frame, COperand* base, COperand*& top, bool discard);

  // ---- shortcuts (expression_shortcuts.h): the quick forms of expressions, worked out
  // without the operand stack; each takes the forms its name says (CQuickForm). False leaves the
  // expression to the general evaluation, having changed nothing.
  // QS_VALUE.
  void QuickEvaluate(const CSCExpression& expression, const CSCFrame& frame, CNValue& out) const;
  // QS_COMPARE.
  bool QuickTest(const CSCExpression& expression, const CSCFrame& frame, bool& truth) const;
  // QS_STEP, QS_ASSIGN, QS_COMPOUND.
  bool QuickRun(const CSCExpression& expression, const CSCFrame& frame) const;
  // QS_OPERATE: the result goes into out's own value.
  bool QuickOperate(const CSCExpression& expression, const CQuickForm& form, const CSCFrame& frame,
                    COperand& out) const;
  // The entry points on the operand stack.
  bool EvaluateInGeneral(const CSCExpression& expression, CSCFrame& frame, CNValue& out);
  bool TestInGeneral(const CSCExpression& expression, CSCFrame& frame, bool& truth);
  bool RunInGeneral(const CSCExpression& expression, CSCFrame& frame);

  // ---- operators (expression_executer.cpp)
  bool Binary(int operation, COperand& left, const COperand& right, CSCFrame& frame);
  // left op right into out, which is neither.
  bool Compute(int operation, const CNValue& left, const CNValue& right, CNValue& out, CSCFrame& frame);
  void Unary(ExpressionOp op, COperand& operand);
  bool Assign(ExpressionOp op, COperand& target, COperand& source, CSCFrame& frame);
  // Joins right onto the text a plain variable holds, in the variable's own storage, when
  // both are single strings: what joining them and storing the result gives, without copying
  // the text already there. False when the join is of another kind; it then goes the general
  // way (which also stops a join grown past the length limit).
  bool AppendInPlace(int operation, const COperand& variable, const COperand& right);
  bool Step(ExpressionOp op, COperand& target, bool keepOld);
  bool Index(COperand& base, COperand* indexes, uint32_t count);
  bool Store(COperand& target, COperand& source);
  bool NotAPlace(const COperand& operand);
  // Turns an element place into a slice place, which deeper indexes and references can bind to.
  static void MakeSlicePlace(COperand& operand);

  // ---- names (expression_names.cpp)
  // The operand the first `parts` parts of name stand for (all of them by default).
  bool PushName(const CSCName& name, CSCFrame& frame, COperand& out, size_t parts = SIZE_MAX);
  // object's member part: a property, one of its script's top-level variables, or a child.
  bool Member(CNObject& object, std::u16string_view part, COperand& out);
  CNObject* BaseObject(NameBase base, const CSCFrame& frame) const;
  static CNObject* WithObject(const CSCFrame& frame, const CSCWithStatement* with);
  static void PushObject(CNObject* object, COperand& out);
  bool Unresolved(const CSCName& name);

  // ---- calls, new and delete (expression_calls.cpp)
  enum CallResult : uint8_t { CALL_DONE, CALL_FAILED, CALL_NOT_FOUND };
  bool Call(const CSCName& name, CSCFrame& frame, COperand* args, uint32_t count);
  // caller: the owner of the script that calls.
  CallResult CallOn(CNObject& object, std::u16string_view method, COperand* args, uint32_t count,
                    const CNObject& caller);
  bool CallBuiltIn(CNObject& object, const MethodEntry& method, COperand* args, uint32_t count,
                   const CNObject& caller);
  bool NewObject(std::u16string_view className, CSCFrame& frame, COperand& out);
  bool Delete(const CSCName& name, CSCFrame& frame, COperand& out);

  CSCExecuter& m_Executer;
  CNValue m_Scratch;  // results that cannot be built in place; never held across a call
};
