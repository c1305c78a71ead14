#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The compile and run-time error codes of the script languages, each with its text and whether
// the text is followed by the offending token (or name, or value). Codes 0 to 21 are shared with
// bind scripts; 16 to 21 arise only while running.
#define VELTRIX_COMPILER_ERRORS(X)                                            \
  X(CE_NONE, u"No Compilation Error ", true)                                  \
  X(CE_UNEXPECTED_SEMICOLON, u"Unexpected Semicolon ", true)                  \
  X(CE_INVALID_TOKEN, u"Invalid token ", true)                                \
  X(CE_MISSING_CLOSE_BRACKET, u"Missing token ] ", true)                      \
  X(CE_MISSING_CLOSE_PAREN, u"Missing token ) ", true)                        \
  X(CE_MISSING_CLOSE_BRACE, u"Missing token } ", true)                        \
  X(CE_ASSIGN_TO_CONSTANT, u"Assigment operation on a constant ", true)       \
  X(CE_UNMATCHED_BRACKET, u"Unmatching token ] ", true)                       \
  X(CE_MISSING_OPEN_BRACKET, u"Missing token [ ", true)                       \
  X(CE_MISSING_OPEN_PAREN, u"Missing token ( ", true)                         \
  X(CE_MISSING_OPEN_BRACE, u"Missing token { ", true)                         \
  X(CE_MISSING_IDENTIFIER, u"Missing Identifier ", true)                      \
  X(CE_MISSING_SEMICOLON, u"Missing ; ", true)                                \
  X(CE_DOT_IN_IDENTIFIER, u"Identifier contains dot character ", true)        \
  X(CE_DUPLICATE_DECLARATION, u"Duplicate declaration of Identifier ", true)  \
  X(CE_INVALID_IDENTIFIER, u"Invalid Identifier ", true)                      \
  X(CE_UNRESOLVED_IDENTIFIER, u"Unable to Resolve Identifier ", true)         \
  X(CE_CANNOT_CREATE_ARRAY, u"Unable to create array ", true)                 \
  X(CE_INVALID_RANGE_INDEX, u"Invalid Index value for colon operator ", true) \
  X(CE_ARGUMENT_COUNT, u"Invalid number of arguments ", true)                 \
  X(CE_CANNOT_CREATE_OBJECT, u"Cannot Create CNObject ", true)                \
  X(CE_FUNCTION_STOPPED, u"Function execution stops for ", true)              \
  X(CE_UNEXPECTED_END, u"Unexpected End of script", false)                    \
  X(CE_ILLEGAL_BREAK, u"Illegal 'break' statement", false)                    \
  X(CE_ILLEGAL_CONTINUE, u"Illegal 'continue' statement", false)              \
  X(CE_CASE_VALUE_USED, u"case value already used - ", true)                  \
  X(CE_MORE_THAN_ONE, u"more than one ", true)                                \
  X(CE_EMPTY_SWITCH, u"Empty 'switch' statement", false)

enum CompilerErrorCode : uint8_t {
#define VELTRIX_ERROR_CODE(name, text, detailed) name,
  VELTRIX_COMPILER_ERRORS(VELTRIX_ERROR_CODE)
#undef VELTRIX_ERROR_CODE
      CE_CODE_COUNT
};
static_assert(CE_CODE_COUNT == 28, "the error codes run from 0 to 27");

// An error found while compiling (or, for codes 16 to 21, while running) a script: its code,
// its message, and where it was found. The line counts from 1; the column follows the
// tokenizer's rule (CKVTokenizer::GetColumn).
class CCompilerError {
 public:
  CCompilerError() : m_strMessage(GetText(CE_NONE)) {}
  CCompilerError(CompilerErrorCode code, std::u16string_view detail, uint32_t position, uint32_t line,
                 uint32_t column)
      : m_eCode(code),
        m_strMessage(FormatMessage(code, detail)),
        m_uPosition(position),
        m_uLine(line),
        m_uColumn(column) {}

  CompilerErrorCode GetCode() const { return m_eCode; }
  bool IsError() const { return m_eCode != CE_NONE; }
  const std::u16string& GetMessage() const { return m_strMessage; }
  // Index in the script text of the token the error is about.
  uint32_t GetPosition() const { return m_uPosition; }
  uint32_t GetLine() const { return m_uLine; }
  uint32_t GetColumn() const { return m_uColumn; }

  // The fixed text of a code; empty for a code outside the list.
  static std::u16string_view GetText(CompilerErrorCode code);
  // The text of the code, followed by the detail when the code takes one.
  static std::u16string FormatMessage(CompilerErrorCode code, std::u16string_view detail);

 private:
  CompilerErrorCode m_eCode = CE_NONE;
  std::u16string m_strMessage;
  uint32_t m_uPosition = 0;
  uint32_t m_uLine = 0;
  uint32_t m_uColumn = 0;
};
