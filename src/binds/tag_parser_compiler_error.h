#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/compiler_error.h"

// A bind script's compile or run-time error: a code of 0 to 21 with the text it shares with
// event scripts, followed by the offending token; or one of the tokenizer's own texts ("End
// Quotes missing", " Invalid character found"), which stand alone under code 2.
class CTagParserCompilerError {
 public:
  CTagParserCompilerError() : m_strMessage(CCompilerError::GetText(CE_NONE)) {}
  CTagParserCompilerError(CompilerErrorCode code, std::u16string_view token, uint32_t line, uint32_t column)
      : m_eCode(code), m_strMessage(CCompilerError::FormatMessage(code, token)), m_uLine(line), m_uColumn(column) {}
  static CTagParserCompilerError Lexical(std::u16string_view message, uint32_t line, uint32_t column) {
    CTagParserCompilerError error(CE_INVALID_TOKEN, {}, line, column);
    error.m_strMessage = message;
    return error;
  }

  CompilerErrorCode GetCode() const { return m_eCode; }
  bool IsError() const { return m_eCode != CE_NONE; }
  const std::u16string& GetMessage() const { return m_strMessage; }
  uint32_t GetLine() const { return m_uLine; }
  uint32_t GetColumn() const { return m_uColumn; }

 private:
  CompilerErrorCode m_eCode = CE_NONE;
  std::u16string m_strMessage;
  uint32_t m_uLine = 0;
  uint32_t m_uColumn = 0;
};
