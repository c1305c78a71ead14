#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "script/parser_context.h"

// The sub-parsers, one per construct. Each reads its construct starting at the current token
// and leaves the first token after it as the current token; false means the error is recorded
// in the context.

// The top level of a script: declarations, functions and event handlers.
class CObjectParser {
 public:
  explicit CObjectParser(CParserContext& context) : m_Context(context) {}
  bool Parse();

 private:
  CParserContext& m_Context;
};

// "var" declarations: at the top level (into null) they become the script's variables, in a
// function they are locals appended to into.
class CVariableParser {
 public:
  explicit CVariableParser(CParserContext& context) : m_Context(context) {}
  bool Parse(StatementList* into);

 private:
  CParserContext& m_Context;
};

// A function or an event handler.
class CFunctionParser {
 public:
  explicit CFunctionParser(CParserContext& context) : m_Context(context) {}
  bool Parse();

 private:
  bool ParseParameters(CSCFunctionStatement& function);
  CParserContext& m_Context;
};

// One statement, chosen by its first token, and the bodies and blocks made of statements.
class CMetaParser {
 public:
  explicit CMetaParser(CParserContext& context) : m_Context(context) {}
  // Appends the statement (several for a declaration of several names).
  bool Parse(StatementList& into);
  // The body of if, else, for and while: a block, or one statement. unclosed is the error of a
  // block that does not end with "}".
  bool ParseBody(StatementPtr& body, CompilerErrorCode unclosed);
  // The body of loop, inside which break and continue refer to it.
  bool ParseLoopBody(const CSCStatement& loop, StatementPtr& body);
  // "{" statements "}" with the current token on "{".
  bool ParseBlock(StatementList& into, CompilerErrorCode unclosed);
  // "(" expression ")" of if, while and switch, as a statement named name.
  bool ParseCondition(std::unique_ptr<CSCExpressionStatement>& condition, std::u16string_view name);

 private:
  bool ParseReturn(StatementList& into);
  bool ParseJump(StatementList& into);
  bool ParseExpressionStatement(StatementList& into);
  // Expects the ";" that ends statement, then appends it.
  bool EndStatement(StatementList& into, StatementPtr statement);
  CParserContext& m_Context;
};

// An expression, converted to postfix order with the operator table.
class CExpressionParser {
 public:
  explicit CExpressionParser(CParserContext& context) : m_Context(context) {}
  // Appends the whole expression to out.
  bool Parse(CSCExpression& out);
  // Moves past the ")" that closes "(" expression; "]" instead is "Unmatching token ] ".
  bool CloseParenthesis();
  // Appends a literal token (kinds 1 to 4) as one operand; negative prefixes a "-".
  static void AddLiteral(CSCExpression& out, const CToken& literal, bool negative = false);

 private:
  bool ParseSequence(CSCExpression& out, bool allowRange);
  bool ParseUnary(CSCExpression& out, std::vector<CExpressionItem>& pending);
  bool ParseOperand(CSCExpression& out);
  bool ParseName(CSCExpression& out, ExpressionOp op);
  bool ParseNew(CSCExpression& out);
  bool ParseDelete(CSCExpression& out);
  bool ParseArrayForm(CSCExpression& out);
  bool ParseGroup(CSCExpression& out);
  bool ParseArguments(CSCExpression& out, uint32_t& count);
  bool ParseIndexes(CSCExpression& out, uint32_t& count, bool allowRange);
  // True when the current "+" or "-" is directly followed by another: "++" or "--".
  bool IsDoubled();
  ExpressionOp BinaryOperator(bool allowRange) const;
  CParserContext& m_Context;
};

// "if" with its "else if" and "else" branches.
class CIfParser {
 public:
  explicit CIfParser(CParserContext& context) : m_Context(context) {}
  bool Parse(StatementList& into);

 private:
  CParserContext& m_Context;
};

class CForParser {
 public:
  explicit CForParser(CParserContext& context) : m_Context(context) {}
  bool Parse(StatementList& into);

 private:
  bool ParseInitialisation(CSCForStatement& loop);
  bool ParsePart(std::unique_ptr<CSCExpressionStatement>& part, std::u16string_view name, TokenKind end);
  CParserContext& m_Context;
};

class CWhileParser {
 public:
  explicit CWhileParser(CParserContext& context) : m_Context(context) {}
  bool Parse(StatementList& into);

 private:
  CParserContext& m_Context;
};

class CWithParser {
 public:
  explicit CWithParser(CParserContext& context) : m_Context(context) {}
  bool Parse(StatementList& into);

 private:
  CParserContext& m_Context;
};

class CSwitchCaseParser {
 public:
  explicit CSwitchCaseParser(CParserContext& context) : m_Context(context) {}
  bool Parse(StatementList& into);

 private:
  bool ParseLabel(CSCSwitchCaseStatement& statement);
  bool ParseCaseValue(CSCCaseStatement& label);
  CParserContext& m_Context;
  std::set<std::u16string, std::less<>> m_UsedValues;  // CaseKey of every case value so far
};
