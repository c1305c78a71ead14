#include "binds/tag_parser_tokenizer.h"

#include <array>

#include "binds/bind_operators.h"

namespace {

// ---- Character classes of the ASCII range; every other unit has none (it starts a word).
enum CharClass : uint8_t {
  CC_BLANK = 1,      // space, line feed, tab: skipped between tokens
  CC_DELIMITER = 2,  // ends a word; carriage return is one but is never skipped
  CC_LETTER = 4,     // A-Z a-z
  CC_DIGIT = 8,      // 0-9
  CC_HEX = 16,       // 0-9 a-f A-F
  CC_OPERATOR = 32,  // & * + - / < = > | : the characters that may start an operator
};

constexpr std::array<uint8_t, 128> MakeCharClasses() {
  std::array<uint8_t, 128> classes{};
  for (char c : {' ', '\t', '\n'}) classes[uint8_t(c)] |= CC_BLANK;
  for (char c : {'\t', '\n', '\r', ' ', '"', '!', '&', '\'', '(', ')', '*',
                 '+',  ',',  '-',  '/', ';', '<', '=', '>',  '{', '|', '}'})
    classes[uint8_t(c)] |= CC_DELIMITER;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] |= CC_LETTER;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] |= CC_LETTER;
  for (int c = '0'; c <= '9'; ++c) classes[c] |= CC_DIGIT | CC_HEX;
  for (int c = 'a'; c <= 'f'; ++c) classes[c] |= CC_HEX;
  for (int c = 'A'; c <= 'F'; ++c) classes[c] |= CC_HEX;
  for (char c : {'&', '*', '+', '-', '/', '<', '=', '>', '|'}) classes[uint8_t(c)] |= CC_OPERATOR;
  return classes;
}

constexpr std::array<uint8_t, 128> kCharClasses = MakeCharClasses();

bool Has(char16_t c, uint8_t charClass) { return c < 128 && (kCharClasses[c] & charClass) != 0; }

// ---- Words that are not names.
struct ReservedWord {
  std::u16string_view word;
  TagTokenKind kind;
};

constexpr ReservedWord kReservedWords[] = {
    {u"null", TT_KEYWORD}, {u"default", TT_KEYWORD}, {u"T", TT_BOOLEAN},
    {u"F", TT_BOOLEAN},    {u"TRUE", TT_BOOLEAN},    {u"FALSE", TT_BOOLEAN},
};

TagTokenKind WordKind(std::u16string_view word) {
  for (const ReservedWord& reserved : kReservedWords)
    if (reserved.word == word) return reserved.kind;
  return TT_NAME;
}

// ---- Operators of two characters, and what their first character is alone.
struct OperatorPair {
  char16_t first;
  char16_t second;
  TagTokenKind kind;
};

constexpr OperatorPair kOperatorPairs[] = {
    {u'+', u'=', TT_ASSIGNMENT},    {u'-', u'=', TT_ASSIGNMENT},    {u'/', u'=', TT_ASSIGNMENT},
    {u'*', u'=', TT_ASSIGNMENT},    {u'=', u'=', TT_OPERATOR_PAIR}, {u'>', u'=', TT_OPERATOR_PAIR},
    {u'<', u'=', TT_OPERATOR_PAIR}, {u'!', u'=', TT_OPERATOR_PAIR}, {u'<', u'>', TT_OPERATOR_PAIR},
    {u'&', u'&', TT_OPERATOR_PAIR}, {u'|', u'|', TT_OPERATOR_PAIR}, {u'|', u'=', TT_ASSIGNMENT},
    {u'&', u'=', TT_ASSIGNMENT},
};

TagTokenKind SingleOperatorKind(char16_t c) {
  switch (c) {
    case u'=': return TT_ASSIGNMENT;
    case u'|': return TT_BAR;
    case u'&': return TT_AMPERSAND;
    default: return TT_OPERATOR;  // * + - / < >
  }
}

// Kinds of the punctuation characters; TT_ERROR for a character that starts no token.
TagTokenKind PunctuationKind(char16_t c) {
  switch (c) {
    case u'!': return TT_NOT;
    case u'(': return TT_OPEN_PAREN;
    case u')': return TT_CLOSE_PAREN;
    case u',': return TT_COMMA;
    case u'.': return TT_DOT;
    case u';': return TT_END;
    case u'{': return TT_OPEN_BRACE;
    case u'}': return TT_CLOSE_BRACE;
    default: return TT_ERROR;
  }
}

// The binding level a token carries: its operator's, "!" the level of "unary!".
int8_t TokenLevel(const CTagParserToken& token) {
  switch (token.kind) {
    case TT_OPERATOR:
    case TT_OPERATOR_PAIR:
    case TT_ASSIGNMENT:
    case TT_AMPERSAND:
    case TT_BAR: {
      const BindOperator op = BinaryBindOperatorFor(token.text);
      return op == BO_COUNT ? kNoLevel : kBindOperators[op].level;
    }
    case TT_NOT: return kBindOperators[BO_NOT].level;
    case TT_OPEN_BRACE:
    case TT_CLOSE_BRACE:
    case TT_OPEN_PAREN:
    case TT_CLOSE_PAREN:
    case TT_COMMA:
    case TT_END: {
      const BindOperator op = FindBindOperator(token.text);
      return op == BO_COUNT ? kNoLevel : kBindOperators[op].level;
    }
    default: return kNoLevel;
  }
}

constexpr std::u16string_view kEndQuotesMissing = u"End Quotes missing";
constexpr std::u16string_view kInvalidCharacter = u" Invalid character found";

}  // namespace

void CTagParserTokenizer::SetText(std::u16string_view text, uint32_t offset) {
  m_text = text.substr(0, kMaxLength);
  m_uLength = static_cast<uint32_t>(m_text.size());
  m_uOffset = offset;
  m_uPos = 0;
}

void CTagParserTokenizer::Next(CTagParserToken& token) {
  while (m_uPos < m_uLength && Has(m_text[m_uPos], CC_BLANK)) ++m_uPos;
  token.start = m_uPos;
  token.level = kNoLevel;
  if (m_uPos >= m_uLength) {
    token.kind = TT_END;
    token.text.assign(u";");
    token.level = kBindOperators[BO_END].level;
    return;
  }
  const char16_t c = m_text[m_uPos];
  const char16_t next = At(m_uPos + 1);
  if (c == u'[') return ReadBracketedName(token);
  if (Has(c, CC_LETTER) || (!Has(c, CC_DIGIT | CC_DELIMITER) && m_uPos + 1 < m_uLength))
    return ReadWord(token);
  if (c == u'0' && (next == u'x' || next == u'X') && Has(At(m_uPos + 2), CC_HEX)) return ReadHexNumber(token);
  if (Has(c, CC_DIGIT)) return ReadNumber(token);
  if (ReadOperator(token)) return;
  if (c == u'"') return ReadString(token);
  if (c == u'\'') return ReadQuotedName(token);
  const TagTokenKind kind = PunctuationKind(c);
  if (kind == TT_ERROR) return Fail(token, kInvalidCharacter);
  Single(token, kind);
}

// bracketed-name := "[" { character } ( "]" | end of text ); the brackets stay in the name.
void CTagParserTokenizer::ReadBracketedName(CTagParserToken& token) {
  const uint32_t start = m_uPos;
  const size_t close = m_text.find(u']', start + 1);
  m_uPos = close == std::u16string_view::npos ? m_uLength : static_cast<uint32_t>(close + 1);
  token.kind = TT_NAME;
  token.text.assign(m_text.substr(start, m_uPos - start));
}

// word := start-character { any character but a delimiter }; "." and ":" stay inside, so
// "::CStr", "Math.Sin" and "$_Min$" are single words.
void CTagParserTokenizer::ReadWord(CTagParserToken& token) {
  const uint32_t start = m_uPos;
  while (m_uPos < m_uLength && !Has(m_text[m_uPos], CC_DELIMITER)) ++m_uPos;
  token.text.assign(m_text.substr(start, m_uPos - start));
  token.kind = WordKind(token.text);
}

// number := digits [ "." digits ]
void CTagParserTokenizer::ReadNumber(CTagParserToken& token) {
  const uint32_t start = m_uPos;
  while (Has(At(m_uPos), CC_DIGIT)) ++m_uPos;
  token.kind = TT_INTEGER;
  if (At(m_uPos) == u'.' && Has(At(m_uPos + 1), CC_DIGIT)) {
    token.kind = TT_REAL;
    ++m_uPos;
    while (Has(At(m_uPos), CC_DIGIT)) ++m_uPos;
  }
  token.text.assign(m_text.substr(start, m_uPos - start));
}

// hexadecimal := "0" ("x" | "X") hex-digit { hex-digit }
void CTagParserTokenizer::ReadHexNumber(CTagParserToken& token) {
  const uint32_t start = m_uPos;
  m_uPos += 2;
  while (Has(At(m_uPos), CC_HEX)) ++m_uPos;
  token.kind = TT_INTEGER;
  token.text.assign(m_text.substr(start, m_uPos - start));
}

// operator := one of the pairs | "=" | "|" | "&" | "*" | "+" | "-" | "/" | "<" | ">"
bool CTagParserTokenizer::ReadOperator(CTagParserToken& token) {
  const char16_t c = m_text[m_uPos];
  const char16_t next = At(m_uPos + 1);
  for (const OperatorPair& pair : kOperatorPairs) {
    if (pair.first != c || pair.second != next) continue;
    token.kind = pair.kind;
    token.text.assign(m_text.substr(m_uPos, 2));
    m_uPos += 2;
    token.level = TokenLevel(token);
    return true;
  }
  if (!Has(c, CC_OPERATOR)) return false;
  Single(token, SingleOperatorKind(c));
  return true;
}

// string := '"' { character | '""' } '"'; the token keeps its quotes, a doubled quote as one.
void CTagParserTokenizer::ReadString(CTagParserToken& token) {
  const uint32_t start = m_uPos;
  token.text.assign(1, u'"');
  for (uint32_t i = start + 1; i < m_uLength; ++i) {
    if (m_text[i] != u'"') {
      token.text += m_text[i];
    } else if (At(i + 1) == u'"') {
      token.text += u'"';
      ++i;
    } else {
      token.text += u'"';
      token.kind = TT_STRING;
      m_uPos = i + 1;
      if (m_pListener) m_pListener->OnString(ScriptPosition(start), ScriptPosition(m_uPos), token.text);
      return;
    }
  }
  Fail(token, kEndQuotesMissing);
}

// quoted-name := "'" { character } "'"; no escape, the quotes are not part of the name.
void CTagParserTokenizer::ReadQuotedName(CTagParserToken& token) {
  const size_t close = m_text.find(u'\'', m_uPos + 1);
  if (close == std::u16string_view::npos) return Fail(token, kEndQuotesMissing);
  token.kind = TT_NAME;
  token.text.assign(m_text.substr(m_uPos + 1, close - m_uPos - 1));
  m_uPos = static_cast<uint32_t>(close + 1);
}

void CTagParserTokenizer::Single(CTagParserToken& token, TagTokenKind kind) {
  token.kind = kind;
  token.text.assign(1, m_text[m_uPos++]);
  token.level = TokenLevel(token);
}

void CTagParserTokenizer::Fail(CTagParserToken& token, std::u16string_view message) {
  token.kind = TT_ERROR;
  token.text.assign(message);
  m_uPos = m_uLength;
}

void CTagParserTokenizer::Locate(std::u16string_view script, uint32_t position, uint32_t& line,
                                 uint32_t& column) {
  const CKVTokenizer lines(script);
  line = lines.GetLine(position);
  column = lines.GetColumn(position);
}
