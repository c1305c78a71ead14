#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "script/expression.h"
#include "script/statement.h"

// The statements of a compiled script. Each class offers read access for the executer and a few
// Set/Add/Edit members used only while the parser builds it. After a successful compile every
// body, condition and target a getter returns by reference is present.

// "var" name ["=" expression], or one parameter of a function. Internal name "Variable".
class CSCDeclareStatement : public CSCStatement {
 public:
  // slot: see GetSlot.
  CSCDeclareStatement(std::u16string_view name, int32_t slot, bool parameter, bool byReference)
      : CSCStatement(SK_DECLARE, u"Variable"),
        m_strName(name),
        m_lSlot(slot),
        m_bParameter(parameter),
        m_bByReference(byReference) {}

  const std::u16string& GetName() const { return m_strName; }
  // "owner path.name" for a top-level variable; empty for locals and parameters.
  const std::u16string& GetFullName() const { return m_strFullName; }
  // Top level: the index among the script's variables (CSCObject::GetVariables, whose values
  // CSCObject::GetVariableValue keeps). In a function: the slot in a call's frame, parameters
  // first in their order, then the locals in the order they are declared.
  int32_t GetSlot() const { return m_lSlot; }
  bool IsParameter() const { return m_bParameter; }
  // A parameter declared with "&": bound to the caller's variable rather than a copy.
  bool IsByReference() const { return m_bByReference; }
  // The initial value; empty when the declaration has none (the variable is then empty).
  const CSCExpression& GetInitialiser() const { return m_Initialiser; }

  void SetFullName(std::u16string fullName) { m_strFullName = std::move(fullName); }
  CSCExpression& EditInitialiser() { return m_Initialiser; }

 private:
  std::u16string m_strName;
  std::u16string m_strFullName;
  int32_t m_lSlot;
  bool m_bParameter;
  bool m_bByReference;
  CSCExpression m_Initialiser;
};

// A function or an event handler (a function named after the event).
class CSCFunctionStatement : public CSCStatement {
 public:
  CSCFunctionStatement(std::u16string_view name, std::u16string fullName)
      : CSCStatement(SK_FUNCTION, {}), m_strName(name), m_strFullName(std::move(fullName)) {}

  const std::u16string& GetName() const { return m_strName; }
  // "owner path.name".
  const std::u16string& GetFullName() const { return m_strFullName; }
  const std::vector<std::unique_ptr<CSCDeclareStatement>>& GetParameters() const { return m_Parameters; }
  // The statements of the body in order; the last one is always the closing "nop".
  const StatementList& GetBody() const { return m_Body; }
  // The slots a call's frame needs: the parameters, then every local variable.
  uint32_t GetSlotCount() const { return m_uSlotCount; }

  void AddParameter(std::unique_ptr<CSCDeclareStatement> parameter) {
    m_Parameters.push_back(std::move(parameter));
  }
  StatementList& EditBody() { return m_Body; }
  void SetSlotCount(uint32_t count) { m_uSlotCount = count; }

 private:
  std::u16string m_strName;
  std::u16string m_strFullName;
  std::vector<std::unique_ptr<CSCDeclareStatement>> m_Parameters;
  StatementList m_Body;
  uint32_t m_uSlotCount = 0;
};

// An empty statement; the one that closes a function body is named "nop".
class CSCNOPStatement : public CSCStatement {
 public:
  explicit CSCNOPStatement(bool closesFunction) : CSCStatement(SK_NOP, closesFunction ? u"nop" : u"") {}
};

// An expression used as a statement. The conditions of if, for, while and switch are expression
// statements too, named "if-condition", "for-condition", "while-condition", "switch-condition".
class CSCExpressionStatement : public CSCStatement {
 public:
  explicit CSCExpressionStatement(std::u16string_view internalName = {})
      : CSCStatement(SK_EXPRESSION, internalName) {}

  const CSCExpression& GetExpression() const { return m_Expression; }
  CSCExpression& EditExpression() { return m_Expression; }

 private:
  CSCExpression m_Expression;
};

// A block in braces, named ".Brace"; the body of a switch is a block named "case-default".
class CSCBraceStatement : public CSCStatement {
 public:
  explicit CSCBraceStatement(std::u16string_view internalName = u".Brace")
      : CSCStatement(SK_BRACE, internalName) {}

  const StatementList& GetStatements() const { return m_Statements; }
  StatementList& EditStatements() { return m_Statements; }

 protected:
  CSCBraceStatement(StatementKind kind, std::u16string_view internalName)
      : CSCStatement(kind, internalName) {}

 private:
  StatementList m_Statements;
};

// "with" "(" object ")" block: inside, ".Name" is looked up on the object, and plain names the
// script does not declare are looked up on it before the owner.
class CSCWithStatement : public CSCBraceStatement {
 public:
  explicit CSCWithStatement(const CSCWithStatement* outer)
      : CSCBraceStatement(SK_WITH, {}), m_pOuter(outer) {}

  // The object: one EO_NAME, EO_THIS or EO_PARENT item.
  const CSCExpression& GetObject() const { return m_Object; }
  // The with block this one stands in, or null.
  const CSCWithStatement* GetOuter() const { return m_pOuter; }

  CSCExpression& EditObject() { return m_Object; }

 private:
  CSCExpression m_Object;
  const CSCWithStatement* m_pOuter;
};

// "break": leaves the innermost loop (CSCForStatement, CSCWhileStatement) or switch.
class CSCBreakStatement : public CSCStatement {
 public:
  explicit CSCBreakStatement(const CSCStatement* target) : CSCStatement(SK_BREAK, {}), m_pTarget(target) {}
  const CSCStatement& GetTarget() const { return *m_pTarget; }

 private:
  const CSCStatement* m_pTarget;
};

// "continue": goes on with the next iteration of the innermost loop.
class CSCContinueStatement : public CSCStatement {
 public:
  explicit CSCContinueStatement(const CSCStatement* target)
      : CSCStatement(SK_CONTINUE, {}), m_pTarget(target) {}
  const CSCStatement& GetTarget() const { return *m_pTarget; }

 private:
  const CSCStatement* m_pTarget;
};

// "return" [expression]: the expression is empty when there is none.
class CSCReturnStatement : public CSCStatement {
 public:
  CSCReturnStatement() : CSCStatement(SK_RETURN, {}) {}
  const CSCExpression& GetExpression() const { return m_Expression; }
  CSCExpression& EditExpression() { return m_Expression; }

 private:
  CSCExpression m_Expression;
};

// A condition and the statement it guards: the shared part of if branches and while loops.
class CSCGuardedStatement : public CSCStatement {
 public:
  const CSCExpressionStatement& GetCondition() const { return *m_pCondition; }
  const CSCStatement& GetBody() const { return *m_pBody; }

  void SetCondition(std::unique_ptr<CSCExpressionStatement> condition) {
    m_pCondition = std::move(condition);
  }
  void SetBody(StatementPtr body) { m_pBody = std::move(body); }

 protected:
  using CSCStatement::CSCStatement;

 private:
  std::unique_ptr<CSCExpressionStatement> m_pCondition;
  StatementPtr m_pBody;
};

// One branch of an if chain, named "ifOrelseif": its condition and the statement it guards.
class CSCIfStatement : public CSCGuardedStatement {
 public:
  CSCIfStatement() : CSCGuardedStatement(SK_IF, u"ifOrelseif") {}
};

// "if" with its "else if" branches and its "else", named "IfElseIf". The first branch whose
// condition is true runs; when none is, the else statement (if any) runs.
class CSCIfElseIfStatement : public CSCStatement {
 public:
  CSCIfElseIfStatement() : CSCStatement(SK_IF_ELSE_IF, u"IfElseIf") {}
  const std::vector<std::unique_ptr<CSCIfStatement>>& GetBranches() const { return m_Branches; }
  // Null when there is no else.
  const CSCStatement* GetElse() const { return m_pElse.get(); }

  CSCIfStatement& AddBranch(std::unique_ptr<CSCIfStatement> branch) {
    return *m_Branches.emplace_back(std::move(branch));
  }
  void SetElse(StatementPtr statement) { m_pElse = std::move(statement); }

 private:
  std::vector<std::unique_ptr<CSCIfStatement>> m_Branches;
  StatementPtr m_pElse;
};

// "for" "(" initialisation ";" condition ";" step ")" body, named "For".
class CSCForStatement : public CSCStatement {
 public:
  CSCForStatement() : CSCStatement(SK_FOR, u"For") {}
  // Run once before the loop: declarations or one expression statement; may be empty.
  const StatementList& GetInitialisation() const { return m_Initialisation; }
  // Null when the header leaves it out (the loop then runs until something leaves it).
  const CSCExpressionStatement* GetCondition() const { return m_pCondition.get(); }
  // Null when the header leaves it out.
  const CSCExpressionStatement* GetStep() const { return m_pStep.get(); }
  const CSCStatement& GetBody() const { return *m_pBody; }

  StatementList& EditInitialisation() { return m_Initialisation; }
  void SetCondition(std::unique_ptr<CSCExpressionStatement> condition) {
    m_pCondition = std::move(condition);
  }
  void SetStep(std::unique_ptr<CSCExpressionStatement> step) { m_pStep = std::move(step); }
  void SetBody(StatementPtr body) { m_pBody = std::move(body); }

 private:
  StatementList m_Initialisation;
  std::unique_ptr<CSCExpressionStatement> m_pCondition;
  std::unique_ptr<CSCExpressionStatement> m_pStep;
  StatementPtr m_pBody;
};

// "while" "(" condition ")" body, named "while".
class CSCWhileStatement : public CSCGuardedStatement {
 public:
  CSCWhileStatement() : CSCGuardedStatement(SK_WHILE, u"while") {}
};

// A "case" constant ":" label (named "case#") or the "default" ":" label (named "default#").
// Labels stand among the statements of the switch body and do nothing themselves.
class CSCCaseStatement : public CSCStatement {
 public:
  explicit CSCCaseStatement(bool isDefault)
      : CSCStatement(SK_CASE, isDefault ? u"default#" : u"case#"), m_bDefault(isDefault) {}
  bool IsDefault() const { return m_bDefault; }
  // The case value: one EO_CONSTANT or EO_TIME_CONSTANT item; empty for default.
  const CSCExpression& GetValue() const { return m_Value; }
  // The label's index among the switch body's statements: execution starts there.
  uint32_t GetBodyIndex() const { return m_uBodyIndex; }

  CSCExpression& EditValue() { return m_Value; }
  void SetBodyIndex(uint32_t index) { m_uBodyIndex = index; }

 private:
  bool m_bDefault;
  CSCExpression m_Value;
  uint32_t m_uBodyIndex = 0;
};

// "switch" "(" expression ")" "{" labels and statements "}", named "switch". The value is
// compared with the case values in order; execution starts at the first equal case (else at
// default, else nothing runs) and continues through the following labels until a break.
class CSCSwitchCaseStatement : public CSCStatement {
 public:
  CSCSwitchCaseStatement() : CSCStatement(SK_SWITCH, u"switch"), m_Body(u"case-default") {}
  const CSCExpressionStatement& GetCondition() const { return *m_pCondition; }
  // The labels and statements in order, named "case-default".
  const CSCBraceStatement& GetBody() const { return m_Body; }
  // The case labels in order, default excluded.
  const std::vector<const CSCCaseStatement*>& GetCases() const { return m_Cases; }
  // Null when there is no default label.
  const CSCCaseStatement* GetDefault() const { return m_pDefault; }

  void SetCondition(std::unique_ptr<CSCExpressionStatement> condition) {
    m_pCondition = std::move(condition);
  }
  CSCBraceStatement& EditBody() { return m_Body; }
  void AddCase(const CSCCaseStatement* label) { m_Cases.push_back(label); }
  void SetDefault(const CSCCaseStatement* label) { m_pDefault = label; }

 private:
  std::unique_ptr<CSCExpressionStatement> m_pCondition;
  CSCBraceStatement m_Body;
  std::vector<const CSCCaseStatement*> m_Cases;
  const CSCCaseStatement* m_pDefault = nullptr;
};
