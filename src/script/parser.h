#pragma once

#include <string_view>

#include "script/compiler_error.h"
#include "script/statements_object.h"
#include "script/tokenizer.h"

// Compiles an event script into the statement trees of its CSCObject. The first error stops
// the compile; the scope is then left empty and GetError tells what and where.
//
//   CSCObject scope(owner, u"Form1.Button1");
//   CKVParser parser;
//   if (!parser.Parse(text, scope)) Report(parser.GetError());
class CKVParser {
 public:
  void SetStringListener(IKVStringListener* listener) { m_pListener = listener; }

  // Replaces whatever scope held by the compiled text. An empty text compiles to an empty
  // script.
  bool Parse(std::u16string_view text, CSCObject& scope);
  // The first error of the last Parse; code CE_NONE after a success.
  const CCompilerError& GetError() const { return m_Error; }

 private:
  IKVStringListener* m_pListener = nullptr;
  CCompilerError m_Error;
};
