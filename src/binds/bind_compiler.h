#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "binds/bind_operators.h"
#include "binds/bind_program.h"
#include "binds/tag_parser_compiler_error.h"
#include "binds/tag_parser_tokenizer.h"

// Compiles the text of one bind script into a CBindProgram. A script that does not begin with
// "{" is one expression and is read as the case list "{default}{" script "};"; one that does is
// a case list and gets its ";". The compile stops at the first error.
class CTagParserCompiler {
 public:
  // Deepest nesting of parentheses, calls and unary operators a script may use.
  static constexpr uint32_t kMaxNesting = 256;
  // The length of the text put in front of a plain expression.
  static constexpr uint32_t kPrefixLength = 10;

  // On failure program is cleared and error says why.
  bool Compile(std::u16string_view script, CBindProgram& program, CTagParserCompilerError& error);

 private:
  bool ParseCaseList();
  bool ParseCase();
  bool ParseExpression();
  bool ParseOperand();
  bool ParseCall();

  // Moves to the next token; a lexical error fails with the tokenizer's message.
  bool Next();
  const CTagParserToken& Peek();
  bool Is(TagTokenKind kind) const { return m_Token.kind == kind; }
  bool Fail(CompilerErrorCode code) { return Fail(code, m_Token); }
  bool Fail(CompilerErrorCode code, const CTagParserToken& token);

  void StartSequence() { m_uDepth = 0; }
  bool Emit(BindItemKind kind, uint32_t index, uint8_t operation = 0, uint16_t count = 0);
  bool EmitOperator(BindOperator op);
  uint32_t AddName(const CTagParserToken& token, bool read);
  uint32_t ScriptPosition(const CTagParserToken& token) const {
    return m_Tokenizer.ScriptPosition(token.start);
  }
  // Puts the name table in name order.
  void SortNames();

  std::u16string_view m_Script;
  std::u16string m_strText;
  CTagParserTokenizer m_Tokenizer;
  CTagParserToken m_Token;
  CTagParserToken m_Next;
  bool m_bHasNext = false;
  CBindProgram* m_pProgram = nullptr;
  CTagParserCompilerError* m_pError = nullptr;
  std::map<std::u16string, uint32_t, std::less<>> m_NameIndex;  // name -> index in first-use order
  std::vector<BindOperator> m_Operators;  // the operator stack of the postfix conversion
  uint32_t m_uDepth = 0;                  // values the sequence being built leaves on the stack
  uint32_t m_uNesting = 0;
};
