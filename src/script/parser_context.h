#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "script/compiler_error.h"
#include "script/statements_object.h"
#include "script/tokenizer.h"

// What the sub-parsers of one compile share: the tokenizer with the current token, the first
// error, the scope being filled, and where parsing stands (function, loops, switches, with
// blocks, nesting depth). Every parse function returns false once an error is recorded, and
// every caller then returns false at once.
class CParserContext {
 public:
  // Deepest nesting of blocks, statements and parentheses a script may use.
  static constexpr uint32_t kMaxNesting = 256;

  CParserContext(std::u16string_view text, CSCObject& scope, IKVStringListener* listener);

  // ---- tokens
  const CToken& Token() const { return m_Token; }
  bool Is(TokenKind kind) const { return m_Token.kind == kind; }
  bool IsKeyword(std::u16string_view word) const { return m_Token.Is(TK_KEYWORD, word); }
  // Moves to the next token; a lexical error fails with "Invalid token " and its message.
  bool Next();

  // ---- errors: Fail records the first error (about the current token, or the given one) and
  // returns false.
  bool Fail(CompilerErrorCode code) { return Fail(code, m_Token); }
  bool Fail(CompilerErrorCode code, const CToken& token);
  // Moves past the current token when it is of kind, else fails with code.
  bool Expect(TokenKind kind, CompilerErrorCode code);
  // Reads the token after the current one without moving (the string listener is not told).
  void Peek(CToken& next);
  bool Failed() const { return m_Error.IsError(); }
  const CCompilerError& GetError() const { return m_Error; }

  // ---- statements: Make creates one and Place places one at the current token (PlaceAt at
  // start); Finish ends it after the token before the current one.
  template <class T, class... Args>
  std::unique_ptr<T> Make(Args&&... args) {
    auto statement = std::make_unique<T>(std::forward<Args>(args)...);
    Place(*statement);
    return statement;
  }
  void Place(CSCStatement& statement) const { PlaceAt(statement, m_Token.start); }
  void PlaceAt(CSCStatement& statement, uint32_t start) const {
    statement.SetOrigin(&m_Scope, m_pFunction, start, m_Tokenizer.GetLine(start));
  }
  void Finish(CSCStatement& statement) const { statement.SetEnd(m_uPreviousEnd); }

  // ---- nesting: Enter fails when the script nests too deeply.
  bool Enter();
  void Leave() { --m_uDepth; }

  // ---- names
  // A name a declaration may take: kind 7 and not global ("::"); a point in it is an error of
  // its own (HasPoint).
  static bool IsPlainName(const CToken& token) {
    return token.kind == TK_NAME && !token.text.starts_with(u"::");
  }
  static bool HasPoint(const CToken& token) { return token.text.find(u'.') != std::u16string::npos; }
  // Resolves what the current position knows of a name: the with block around it, and a local
  // or parameter its first part names (not for a call of a plain one-part name).
  void ResolveLocal(CSCName& name, bool call) const;
  // Remembers an expression whose names are resolved against the scope's declarations once the
  // whole script is read (functions may use what is declared after them).
  void AddToLink(CSCExpression& expression) { m_ToLink.push_back(&expression); }
  // Resolves the remembered expressions' names and plans their quick forms.
  void LinkNames();

  CSCObject& m_Scope;
  CSCFunctionStatement* m_pFunction = nullptr;              // the function being read, null at the top level
  std::map<std::u16string, int32_t, std::less<>> m_Locals;  // parameters and locals declared so far
  std::vector<const CSCStatement*> m_Loops;                 // enclosing loops, innermost last
  std::vector<const CSCStatement*> m_Breakables;            // enclosing loops and switches, innermost last
  const CSCWithStatement* m_pWith = nullptr;                // innermost enclosing with

 private:
  CKVTokenizer m_Tokenizer;
  IKVStringListener* m_pListener;
  CToken m_Token;
  uint32_t m_uPreviousEnd = 0;  // just past the token before the current one
  uint32_t m_uDepth = 0;
  CCompilerError m_Error;
  std::vector<CSCExpression*> m_ToLink;
};

// Counts one level of nesting for as long as it lives.
class CNestingGuard {
 public:
  explicit CNestingGuard(CParserContext& context) : m_Context(context), m_bEntered(context.Enter()) {}
  ~CNestingGuard() {
    if (m_bEntered) m_Context.Leave();
  }
  CNestingGuard(const CNestingGuard&) = delete;
  CNestingGuard& operator=(const CNestingGuard&) = delete;
  // False when the level was refused (the error is recorded).
  explicit operator bool() const { return m_bEntered; }

 private:
  CParserContext& m_Context;
  bool m_bEntered;
};
