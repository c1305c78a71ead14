#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class CSCObject;
class CSCFunctionStatement;

// What a statement is; each kind is one CSC*Statement class (see statements.h).
enum StatementKind : uint8_t {
  SK_DECLARE,     // CSCDeclareStatement
  SK_FUNCTION,    // CSCFunctionStatement
  SK_NOP,         // CSCNOPStatement
  SK_EXPRESSION,  // CSCExpressionStatement
  SK_BRACE,       // CSCBraceStatement
  SK_WITH,        // CSCWithStatement
  SK_BREAK,       // CSCBreakStatement
  SK_CONTINUE,    // CSCContinueStatement
  SK_RETURN,      // CSCReturnStatement
  SK_IF,          // CSCIfStatement: one branch of an if chain
  SK_IF_ELSE_IF,  // CSCIfElseIfStatement: the whole chain
  SK_FOR,         // CSCForStatement
  SK_WHILE,       // CSCWhileStatement
  SK_SWITCH,      // CSCSwitchCaseStatement
  SK_CASE,        // CSCCaseStatement: a case or default label
};

// A statement of a compiled script. Every statement knows the script it belongs to, the
// function it is part of (null for top-level declarations and for functions themselves), the
// span of its text and its line, which the debugger hooks use. Some carry a fixed internal name ("nop",
// ".Brace", "For", ...).
class CSCStatement {
 public:
  CSCStatement(const CSCStatement&) = delete;
  CSCStatement& operator=(const CSCStatement&) = delete;
  virtual ~CSCStatement() = default;

  StatementKind GetKind() const { return m_eKind; }
  std::u16string_view GetInternalName() const { return m_strInternalName; }
  CSCObject* GetOwner() const { return m_pOwner; }
  CSCFunctionStatement* GetFunction() const { return m_pFunction; }
  // Index in the script of the statement's first character, and just past its last.
  uint32_t GetStart() const { return m_uStart; }
  uint32_t GetEnd() const { return m_uEnd; }
  // The line of the first character, counted from 1.
  uint32_t GetLine() const { return m_uLine; }

  // Set while compiling.
  void SetOrigin(CSCObject* owner, CSCFunctionStatement* function, uint32_t start, uint32_t line) {
    m_pOwner = owner;
    m_pFunction = function;
    m_uStart = m_uEnd = start;
    m_uLine = line;
  }
  void SetEnd(uint32_t end) { m_uEnd = end; }

 protected:
  CSCStatement(StatementKind kind, std::u16string_view internalName)
      : m_eKind(kind), m_strInternalName(internalName) {}

 private:
  StatementKind m_eKind;
  std::u16string_view m_strInternalName;  // always a literal
  CSCObject* m_pOwner = nullptr;
  CSCFunctionStatement* m_pFunction = nullptr;
  uint32_t m_uStart = 0;
  uint32_t m_uEnd = 0;
  uint32_t m_uLine = 0;
};

using StatementPtr = std::unique_ptr<CSCStatement>;
using StatementList = std::vector<StatementPtr>;
