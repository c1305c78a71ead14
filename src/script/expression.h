#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/expression_operator.h"
#include "values/value.h"

class CSCFunctionStatement;
class CSCWithStatement;

// Where the lookup of a name starts.
enum NameBase : uint8_t {
  NB_PLAIN,   // the first part: locals and parameters, the script's declarations, the with
              // object, then the owner object
  NB_ROOT,    // "root..." or "::...": the project's root object
  NB_PARENT,  // "parent...": the owner's parent
  NB_THIS,    // "this...": the owner
  NB_WITH,    // ".Name...": the object of the innermost enclosing with
};

// A name used by an expression, split and resolved as far as compiling allows. Locals and
// parameters, the script's own top-level variables and its own functions are known when the
// script is compiled; everything else (the with object, the object model) is looked up when run.
class CSCName {
 public:
  // Takes a name as written: "a", "a.b", "parent.x.y", "::Global" or ".Member".
  explicit CSCName(std::u16string_view written);

  // The name as it is resolved: "::OpenMsg" reads "root.OpenMsg", ".Name" keeps its point.
  const std::u16string& GetText() const { return m_strText; }
  NameBase GetBase() const { return m_eBase; }
  // The parts after the base, split at points: "parent.Calendar1.IncPage" has "Calendar1" and
  // "IncPage"; "a.b" has "a" and "b"; "root" alone has none.
  const std::vector<std::u16string>& GetParts() const { return m_Parts; }

  // When the first part of a plain name is a parameter or a local variable declared before the
  // name in the same function: its slot in the call's frame, else -1.
  int32_t GetLocalSlot() const { return m_lLocalSlot; }
  // When the first part of a plain name is a top-level variable of this script (and no local):
  // its index in CSCObject::GetVariables, else -1.
  int32_t GetScopeVariable() const { return m_lScopeVariable; }
  // For a call of "f(...)" or "this.f(...)" where f is a function of this script: the function.
  const CSCFunctionStatement* GetFunction() const { return m_pFunction; }
  // The innermost with block around the name, or null.
  const CSCWithStatement* GetWith() const { return m_pWith; }

  // Set while compiling.
  void SetLocalSlot(int32_t slot) { m_lLocalSlot = slot; }
  void SetScopeVariable(int32_t index) { m_lScopeVariable = index; }
  void SetFunction(const CSCFunctionStatement* function) { m_pFunction = function; }
  void SetWith(const CSCWithStatement* with) { m_pWith = with; }

 private:
  std::u16string m_strText;
  NameBase m_eBase = NB_PLAIN;
  std::vector<std::u16string> m_Parts;
  int32_t m_lLocalSlot = -1;
  int32_t m_lScopeVariable = -1;
  const CSCFunctionStatement* m_pFunction = nullptr;
  const CSCWithStatement* m_pWith = nullptr;
};

// One item of a postfix expression.
struct CExpressionItem {
  ExpressionOp op;
  // On the first of two operands read without lookup that a two-operand operator takes right
  // after them ("n - 1", "i < count"): 1 + the index of GetDirectOperation, which works the
  // three items out at once. 0 otherwise.
  uint16_t direct = 0;
  // EO_CONSTANT: index of GetConstant; EO_TIME_CONSTANT, EO_NEW_OBJECT, EO_NEW_ARRAY: index of
  // GetText (the time literal, the class name); EO_NAME, EO_MEMBER, EO_CALL, EO_DELETE: index of
  // GetName. Unused otherwise.
  uint32_t operand = 0;
  // EO_CALL, EO_NEW_OBJECT, EO_ARRAY_FORM: the arguments; EO_INDEX: the indexes; EO_NEW_ARRAY:
  // the sizes. They are the items' values just below, first one deepest.
  uint32_t count = 0;
  // Index in the script of the token the item comes from.
  uint32_t position = 0;
};

// An operand the executer reads without any lookup.
enum DirectSource : uint8_t {
  DS_NONE,
  DS_CONSTANT,  // GetConstant(index)
  DS_NUMBER,    // GetConstant(index), a scalar number, whose number is at hand
  DS_LOCAL,     // slot index of the running call's frame
  DS_SCOPE,     // top-level variable index of the script
};
struct CDirectOperand {
  DirectSource source = DS_NONE;
  uint32_t index = 0;
  double number = 0.0;  // DS_NUMBER
};

// The common shapes of conditions and statements, which the executer works out directly when
// their operands hold scalar numbers; recognised once, when the names are resolved.
enum QuickShape : uint8_t {
  QS_NONE,
  QS_VALUE,    // left alone
  QS_COMPARE,  // left op right, op a comparison
  QS_OPERATE,  // left op right inside a larger expression, op an arithmetic or comparison operator
  // The statement forms, from here on.
  QS_STEP,      // target++, target--, ++target, --target
  QS_ASSIGN,    // target = left op right, op an arithmetic or comparison operator
  QS_COMPOUND,  // target op= right, op one of += -= *= /=; left is the target
};
struct CQuickForm {
  QuickShape shape = QS_NONE;
  // The value operation; QS_STEP: VOP_ADD to count up, VOP_SUBTRACT to count down.
  int operation = -1;
  CDirectOperand target;
  CDirectOperand left;
  CDirectOperand right;
};

// An expression in postfix order, built once when compiling. Read from the first item:
// - an operand pushes its value; EO_NAME, EO_MEMBER, EO_THIS and EO_PARENT push a place that can
//   also be stored into;
// - an operator pops its operands (one for the unary ones, two for the others, count for the
//   structural ones) and pushes its result; EO_INDEX pops count indexes and the value (or place)
//   below them and pushes the selected slice, itself a place when its base was one; EO_DELETE and
//   EO_CALL take their name from the item, not from the stack;
// - "=", the compound assignments and "++"/"--" store into the place that is their left (or
//   only) operand.
class CSCExpression {
 public:
  bool IsEmpty() const { return m_Items.empty(); }
  const std::vector<CExpressionItem>& GetItems() const { return m_Items; }
  const CNValue& GetConstant(uint32_t index) const { return m_Constants[index]; }
  const std::u16string& GetText(uint32_t index) const { return m_Texts[index]; }
  const CSCName& GetName(uint32_t index) const { return m_Names[index]; }
  uint32_t GetNameCount() const { return static_cast<uint32_t>(m_Names.size()); }

  // QS_NONE until PlanQuickForm has run.
  const CQuickForm& GetQuickForm() const { return m_QuickForm; }
  // For "v = v op right" with op a join ("&", "|", "+") and v a local or top-level variable of
  // the script: the index of op's item, whose left operand is the place the "=" stores into.
  // -1 otherwise.
  int32_t GetAppendJoin() const { return m_lAppendJoin; }
  // A QS_OPERATE form; see CExpressionItem::direct.
  const CQuickForm& GetDirectOperation(uint32_t index) const { return m_DirectOperations[index]; }

  // The postfix form as text, items separated by blanks: "2 3 ^ 4 *", "x parent.f(2)".
  std::u16string ToText() const;

  // Building, in postfix order.
  void AddOperator(ExpressionOp op, uint32_t position, uint32_t count = 0);
  void AddConstant(CNValue value, uint32_t position);
  void AddText(ExpressionOp op, std::u16string_view text, uint32_t position, uint32_t count = 0);
  // Returns the added name, to be resolved further.
  CSCName& AddName(ExpressionOp op, CSCName name, uint32_t position, uint32_t count = 0);
  CSCName& EditName(uint32_t index) { return m_Names[index]; }
  // Recognises the quick form and the direct operations; the names must be resolved.
  void PlanQuickForm();

 private:
  std::vector<CExpressionItem> m_Items;
  std::vector<CNValue> m_Constants;
  std::vector<std::u16string> m_Texts;
  std::vector<CSCName> m_Names;
  CQuickForm m_QuickForm;
  std::vector<CQuickForm> m_DirectOperations;
  int32_t m_lAppendJoin = -1;
};
