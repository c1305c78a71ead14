#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "script/parser.h"
#include "script/statements_object.h"
#include "support/utf16_text.h"

// A script compiled for a test: the scope it filled and the parser's verdict.
struct CompiledScript {
  std::unique_ptr<CSCObject> scope = std::make_unique<CSCObject>(nullptr, u"Form1.Button1");
  bool ok = false;
  CCompilerError error;

  const CSCFunctionStatement& Function(std::u16string_view name) const { return *scope->FindFunction(name); }
  // Statement i of the body of function name, as T.
  template <class T>
  const T& Body(std::u16string_view name, size_t i) const {
    return static_cast<const T&>(*Function(name).GetBody().at(i));
  }
};

inline CompiledScript Compile(std::u16string_view text) {
  CompiledScript compiled;
  CKVParser parser;
  compiled.ok = parser.Parse(text, *compiled.scope);
  compiled.error = parser.GetError();
  return compiled;
}

inline std::string Utf8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// The postfix text of the expression statement that is the whole body of a function.
inline std::string Postfix(std::u16string_view expression) {
  const std::u16string text = u"function f() { " + std::u16string(expression) + u"; }";
  const CompiledScript compiled = Compile(text);
  if (!compiled.ok) return "error: " + Utf8(compiled.error.GetMessage());
  return Utf8(compiled.Body<CSCExpressionStatement>(u"f", 0).GetExpression().ToText());
}
