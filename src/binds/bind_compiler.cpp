#include "binds/bind_compiler.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr std::u16string_view kPrefix = u"{default}{";
constexpr std::u16string_view kSuffix = u"};";
static_assert(kPrefix.size() == CTagParserCompiler::kPrefixLength);

bool IsLiteral(TagTokenKind kind) {
  return kind == TT_STRING || kind == TT_BOOLEAN || kind == TT_INTEGER || kind == TT_REAL;
}

bool IsBinaryOperator(const CTagParserToken& token) {
  switch (token.kind) {
    case TT_OPERATOR:
    case TT_OPERATOR_PAIR:
    case TT_ASSIGNMENT:
    case TT_AMPERSAND:
    case TT_BAR: return BinaryBindOperatorFor(token.text) != BO_COUNT;
    default: return false;
  }
}

// Counts one level of nesting for as long as it lives.
class CBindNestingGuard {
 public:
  explicit CBindNestingGuard(uint32_t& nesting) : m_uNesting(++nesting) {}
  ~CBindNestingGuard() { --m_uNesting; }
  CBindNestingGuard(const CBindNestingGuard&) = delete;
  CBindNestingGuard& operator=(const CBindNestingGuard&) = delete;
  bool TooDeep() const { return m_uNesting > CTagParserCompiler::kMaxNesting; }

 private:
  uint32_t& m_uNesting;
};

}  // namespace

bool CTagParserCompiler::Compile(std::u16string_view script, CBindProgram& program,
                                 CTagParserCompilerError& error) {
  program.Clear();
  error = CTagParserCompilerError();
  m_Script = script.substr(0, CTagParserTokenizer::kMaxLength - kPrefix.size() - kSuffix.size());
  m_pProgram = &program;
  m_pError = &error;
  m_NameIndex.clear();
  m_Operators.clear();
  m_bHasNext = false;
  m_uNesting = 0;

  uint32_t offset = 0;
  m_strText.clear();
  if (m_Script.starts_with(u'{')) {
    m_strText.reserve(m_Script.size() + 1);
    m_strText.append(m_Script).append(1, u';');
  } else {
    m_strText.reserve(m_Script.size() + kPrefix.size() + kSuffix.size());
    m_strText.append(kPrefix).append(m_Script).append(kSuffix);
    offset = kPrefixLength;
  }
  m_Tokenizer.SetText(m_strText, offset);

  const bool ok = Next() && ParseCaseList();
  if (!ok) {
    program.Clear();
    return false;
  }
  SortNames();
  return true;
}

// case-list := case { "," case } ";"
bool CTagParserCompiler::ParseCaseList() {
  for (;;) {
    if (!ParseCase()) return false;
    if (Is(TT_COMMA)) {
      if (!Next()) return false;
      continue;
    }
    if (Is(TT_END)) break;
    return Fail(CE_MISSING_SEMICOLON);
  }
  // Nothing may follow the ";" that ends the list.
  if (m_Tokenizer.IsEndOfText(m_Token)) return true;
  if (!Next()) return false;
  return m_Tokenizer.IsEndOfText(m_Token) || Fail(CE_INVALID_TOKEN);
}

// case := "{" ( "default" | expression ) "}" "{" expression "}"
bool CTagParserCompiler::ParseCase() {
  CBindCase entry;
  if (!Is(TT_OPEN_BRACE)) return Fail(CE_MISSING_OPEN_BRACE);
  if (!Next()) return false;
  entry.condition = static_cast<uint32_t>(m_pProgram->items.size());
  StartSequence();
  if (m_Token.Is(TT_KEYWORD, u"default") && Peek().kind == TT_CLOSE_BRACE) {
    if (!Next()) return false;
  } else if (!ParseExpression()) {
    return false;
  }
  if (!Is(TT_CLOSE_BRACE)) return Fail(CE_MISSING_CLOSE_BRACE);
  if (!Next()) return false;
  if (!Is(TT_OPEN_BRACE)) return Fail(CE_MISSING_OPEN_BRACE);
  if (!Next()) return false;
  entry.expression = static_cast<uint32_t>(m_pProgram->items.size());
  StartSequence();
  if (!ParseExpression()) return false;
  if (!Is(TT_CLOSE_BRACE)) return Fail(CE_MISSING_CLOSE_BRACE);
  entry.end = static_cast<uint32_t>(m_pProgram->items.size());
  m_pProgram->cases.push_back(entry);
  return Next();
}

// expression := operand { two-operand-operator operand }, turned into postfix order with the
// operator table: an incoming operator first moves every stacked operator of its level or
// higher to the output. Parentheses and call arguments are compiled as operands of their own,
// which gives the order a single operator stack with "(" and "," on it would give.
bool CTagParserCompiler::ParseExpression() {
  const size_t base = m_Operators.size();
  if (!ParseOperand()) return false;
  while (IsBinaryOperator(m_Token)) {
    const BindOperator op = BinaryBindOperatorFor(m_Token.text);
    while (m_Operators.size() > base &&
           kBindOperators[m_Operators.back()].level >= kBindOperators[op].level) {
      if (!EmitOperator(m_Operators.back())) return false;
      m_Operators.pop_back();
    }
    m_Operators.push_back(op);
    // An operator directly followed by the end fails in the operand (error 1).
    if (!Next() || !ParseOperand()) return false;
  }
  while (m_Operators.size() > base) {
    if (!EmitOperator(m_Operators.back())) return false;
    m_Operators.pop_back();
  }
  return true;
}

// operand := literal | name | name "(" arguments ")" | "(" expression ")" | ("+" | "-" | "!") operand
bool CTagParserCompiler::ParseOperand() {
  const CBindNestingGuard guard(m_uNesting);
  if (guard.TooDeep()) return Fail(CE_INVALID_TOKEN);
  if (IsLiteral(m_Token.kind)) {
    if (Peek().kind == TT_ASSIGNMENT) return Fail(CE_ASSIGN_TO_CONSTANT);
    CNValue literal;
    literal.FromLiteral(m_Token.text, false);
    m_pProgram->literals.push_back(std::move(literal));
    return Emit(BI_LITERAL, static_cast<uint32_t>(m_pProgram->literals.size() - 1)) && Next();
  }
  switch (m_Token.kind) {
    case TT_NAME: {
      const TagTokenKind next = Peek().kind;
      if (next == TT_OPEN_PAREN) return ParseCall();
      // An assignment target is entered without counting a read: a name the script only
      // writes is subscribed for writing alone.
      const bool target = next == TT_ASSIGNMENT;
      if (target) m_Token.kind = TT_TARGET;
      return Emit(target ? BI_TARGET : BI_NAME, AddName(m_Token, !target)) && Next();
    }
    case TT_OPEN_PAREN:
      if (!Next() || !ParseExpression()) return false;
      if (!Is(TT_CLOSE_PAREN)) return Fail(CE_INVALID_TOKEN);
      return Next();
    case TT_OPERATOR:
    case TT_NOT: {
      BindOperator op = BO_NOT;
      if (m_Token.kind == TT_OPERATOR) {
        if (m_Token.text != u"+" && m_Token.text != u"-") return Fail(CE_INVALID_TOKEN);
        op = m_Token.text == u"+" ? BO_PLUS : BO_NEGATE;
      }
      return Next() && ParseOperand() && EmitOperator(op);
    }
    // A ";" where an operand belongs: "(;", "1 + ;".
    case TT_END: return Fail(CE_UNEXPECTED_SEMICOLON);
    default: return Fail(CE_INVALID_TOKEN);
  }
}

// call := name "(" [ argument { "," argument } ] ")", an argument left out between commas
// being an empty argument (TT_EMPTY_ARGUMENT), "f()" a call without any.
bool CTagParserCompiler::ParseCall() {
  m_Token.kind = TT_FUNCTION;
  m_pProgram->functions.push_back(CBindFunction{m_Token.text, ScriptPosition(m_Token)});
  const auto function = static_cast<uint32_t>(m_pProgram->functions.size() - 1);
  if (!Next() || !Next()) return false;  // the name and "("
  uint32_t count = 0;
  if (!Is(TT_CLOSE_PAREN)) {
    for (;;) {
      if (Is(TT_COMMA) || Is(TT_CLOSE_PAREN)) {
        if (!Emit(BI_EMPTY, 0)) return false;
      } else if (!ParseExpression()) {
        return false;
      }
      if (++count > std::numeric_limits<uint16_t>::max()) return Fail(CE_ARGUMENT_COUNT);
      if (Is(TT_COMMA)) {
        if (!Next()) return false;
        continue;
      }
      if (Is(TT_CLOSE_PAREN)) break;
      return Fail(CE_MISSING_CLOSE_PAREN);
    }
  }
  m_pProgram->maxArguments = std::max(m_pProgram->maxArguments, count);
  return Emit(BI_CALL, function, 0, static_cast<uint16_t>(count)) && Next();
}

bool CTagParserCompiler::Next() {
  if (m_bHasNext) {
    std::swap(m_Token, m_Next);
    m_bHasNext = false;
  } else {
    m_Tokenizer.Next(m_Token);
  }
  if (m_Token.kind != TT_ERROR) return true;
  uint32_t line = 0;
  uint32_t column = 0;
  CTagParserTokenizer::Locate(m_Script, ScriptPosition(m_Token), line, column);
  *m_pError = CTagParserCompilerError::Lexical(m_Token.text, line, column);
  return false;
}

const CTagParserToken& CTagParserCompiler::Peek() {
  if (!m_bHasNext) {
    m_Tokenizer.Next(m_Next);
    m_bHasNext = true;
  }
  return m_Next;
}

bool CTagParserCompiler::Fail(CompilerErrorCode code, const CTagParserToken& token) {
  uint32_t line = 0;
  uint32_t column = 0;
  CTagParserTokenizer::Locate(m_Script, ScriptPosition(token), line, column);
  *m_pError = CTagParserCompilerError(code, token.text, line, column);
  return false;
}

// Keeps count of the values the sequence leaves on the stack, so that evaluation can size its
// stack once; a sequence that would take more than it has cannot come out of the grammar.
bool CTagParserCompiler::Emit(BindItemKind kind, uint32_t index, uint8_t operation, uint16_t count) {
  uint32_t takes = 0;
  switch (kind) {
    case BI_UNARY: takes = 1; break;
    case BI_BINARY:
    case BI_ASSIGN: takes = 2; break;
    case BI_CALL: takes = count; break;
    default: break;
  }
  if (m_uDepth < takes) return Fail(CE_INVALID_TOKEN);
  m_uDepth = m_uDepth - takes + 1;
  m_pProgram->maxDepth = std::max(m_pProgram->maxDepth, m_uDepth);
  m_pProgram->items.push_back(CBindItem{kind, operation, count, index});
  return true;
}

bool CTagParserCompiler::EmitOperator(BindOperator op) {
  switch (op) {
    case BO_NOT:
    case BO_NEGATE:
    case BO_PLUS: return Emit(BI_UNARY, 0, op);
    case BO_ASSIGN: return Emit(BI_ASSIGN, 0);
    default: return Emit(BI_BINARY, 0, static_cast<uint8_t>(kBindOperators[op].operation));
  }
}

uint32_t CTagParserCompiler::AddName(const CTagParserToken& token, bool read) {
  auto [entry, added] = m_NameIndex.try_emplace(token.text, static_cast<uint32_t>(m_pProgram->names.size()));
  if (added) m_pProgram->names.push_back(CBindName{token.text, 0, ScriptPosition(token)});
  if (read) ++m_pProgram->names[entry->second].reads;
  return entry->second;
}

void CTagParserCompiler::SortNames() {
  std::vector<uint32_t> rank(m_pProgram->names.size());
  std::vector<CBindName> sorted;
  sorted.reserve(m_pProgram->names.size());
  for (const auto& [name, index] : m_NameIndex) {
    rank[index] = static_cast<uint32_t>(sorted.size());
    sorted.push_back(std::move(m_pProgram->names[index]));
  }
  m_pProgram->names = std::move(sorted);
  for (CBindItem& item : m_pProgram->items)
    if (item.kind == BI_NAME || item.kind == BI_TARGET) item.index = rank[item.index];
}
