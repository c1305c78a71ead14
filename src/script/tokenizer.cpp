#include "script/tokenizer.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "support/utf16_text.h"
#include "values/value.h"

namespace {

// ---- Character classes of the first 256 code units; every other unit has none.
enum CharClass : uint8_t {
  CC_BLANK = 1,      // space, tab, line feed, carriage return
  CC_LETTER = 2,     // A-Z a-z
  CC_DIGIT = 4,      // 0-9
  CC_HEX = 8,        // 0-9 a-f A-F
  CC_NAME = 16,      // letters, digits and "_": the characters that continue a name
  CC_OPERATOR = 32,  // & * + - / < = > | ^ : the characters that may start an operator
};

constexpr std::array<uint8_t, 256> MakeCharClasses() {
  std::array<uint8_t, 256> classes{};
  for (char c : {' ', '\t', '\n', '\r'}) classes[uint8_t(c)] |= CC_BLANK;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] |= CC_LETTER | CC_NAME;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] |= CC_LETTER | CC_NAME;
  for (int c = '0'; c <= '9'; ++c) classes[c] |= CC_DIGIT | CC_HEX | CC_NAME;
  for (int c = 'a'; c <= 'f'; ++c) classes[c] |= CC_HEX;
  for (int c = 'A'; c <= 'F'; ++c) classes[c] |= CC_HEX;
  classes[uint8_t('_')] |= CC_NAME;
  for (char c : {'&', '*', '+', '-', '/', '<', '=', '>', '|', '^'}) classes[uint8_t(c)] |= CC_OPERATOR;
  return classes;
}

constexpr std::array<uint8_t, 256> kCharClasses = MakeCharClasses();

bool Has(char16_t c, uint8_t charClass) {
  return c < 256 && (kCharClasses[c] & charClass) != 0;
}

// ---- Words that are not names: the keywords and the booleans.
struct ReservedWord {
  std::u16string_view word;
  TokenKind kind;
};

constexpr ReservedWord kReservedWords[] = {
    {u"var", TK_KEYWORD},   {u"function", TK_KEYWORD}, {u"null", TK_KEYWORD},   {u"event", TK_KEYWORD},
    {u"if", TK_KEYWORD},    {u"else", TK_KEYWORD},     {u"for", TK_KEYWORD},    {u"continue", TK_KEYWORD},
    {u"break", TK_KEYWORD}, {u"return", TK_KEYWORD},   {u"new", TK_NEW},        {u"delete", TK_DELETE},
    {u"c", TK_ARRAY_FORM},  {u"this", TK_KEYWORD},     {u"parent", TK_KEYWORD}, {u"with", TK_KEYWORD},
    {u"while", TK_KEYWORD}, {u"switch", TK_KEYWORD},   {u"case", TK_KEYWORD},   {u"default", TK_KEYWORD},
    {u"T", TK_BOOLEAN},     {u"F", TK_BOOLEAN},        {u"TRUE", TK_BOOLEAN},   {u"FALSE", TK_BOOLEAN},
};

TokenKind WordKind(std::u16string_view word) {
  for (const ReservedWord& reserved : kReservedWords)
    if (reserved.word == word) return reserved.kind;
  return TK_NAME;
}

// ---- Operators of two characters, and what their first character is alone.
struct OperatorPair {
  char16_t first;
  char16_t second;
  TokenKind kind;
};

constexpr OperatorPair kOperatorPairs[] = {
    {u'+', u'=', TK_ASSIGNMENT}, {u'-', u'=', TK_ASSIGNMENT}, {u'/', u'=', TK_ASSIGNMENT},
    {u'*', u'=', TK_ASSIGNMENT}, {u'=', u'=', TK_COMPARISON}, {u'>', u'=', TK_COMPARISON},
    {u'<', u'=', TK_COMPARISON}, {u'!', u'=', TK_COMPARISON}, {u'<', u'>', TK_COMPARISON},
    {u'&', u'&', TK_COMPARISON}, {u'|', u'|', TK_COMPARISON}, {u'|', u'=', TK_ASSIGNMENT},
    {u'&', u'=', TK_ASSIGNMENT},
};

TokenKind SingleOperatorKind(char16_t c) {
  switch (c) {
    case u'<':
    case u'>':
      return TK_COMPARISON;
    case u'=':
      return TK_ASSIGNMENT;
    case u'|':
      return TK_BAR;
    case u'&':
      return TK_AMPERSAND;
    default:  // + - * / ^
      return TK_ARITHMETIC;
  }
}

// Kinds of the punctuation characters; TK_ERROR for a character that starts no token.
TokenKind PunctuationKind(char16_t c) {
  switch (c) {
    case u'!':
      return TK_NOT;
    case u'(':
      return TK_OPEN_PAREN;
    case u')':
      return TK_CLOSE_PAREN;
    case u',':
      return TK_COMMA;
    case u'.':
      return TK_POINT;
    case u':':
      return TK_COLON;
    case u';':
      return TK_SEMICOLON;
    case u'[':
      return TK_OPEN_BRACKET;
    case u']':
      return TK_CLOSE_BRACKET;
    case u'{':
      return TK_OPEN_BRACE;
    case u'}':
      return TK_CLOSE_BRACE;
    default:
      return TK_ERROR;
  }
}

constexpr std::u16string_view kPlainNameTooLong = u"Variable name exceeds 64 characters";
constexpr std::u16string_view kDottedNameTooLong = u"Variable name exceeds 128 characters";
constexpr std::u16string_view kInvalidCharacterConstant = u"Invalid Character constant";
constexpr std::u16string_view kEndQuotesMissing = u"End Quotes missing";
constexpr std::u16string_view kEndHashMissing = u"End # missing";
constexpr std::u16string_view kBadSpecialConstant = u"Check the # token usage";
constexpr std::u16string_view kInvalidCharacter = u" Invalid character found";

}  // namespace

void CKVTokenizer::SetText(std::u16string_view text) {
  m_text = text.substr(0, kMaxLength);
  m_uLength = static_cast<uint32_t>(m_text.size());
  m_uPos = 0;
  m_LineFeeds.clear();
  for (uint32_t i = 0; i < m_uLength; ++i)
    if (m_text[i] == u'\n') m_LineFeeds.push_back(i);
}

void CKVTokenizer::Next(CToken& token) {
  for (;;) {
    SkipBlanks();
    token.start = m_uPos;
    token.text.clear();
    if (m_uPos >= m_uLength) {
      token.kind = TK_END;
      return;
    }
    const char16_t c = m_text[m_uPos];
    const char16_t next = At(m_uPos + 1);
    if (Has(c, CC_LETTER)) return ReadWord(token);
    if (c == u':' && next == u':' && Has(At(m_uPos + 2), CC_LETTER)) return ReadName(token, 2, TK_NAME);
    if (c == u'.' && Has(next, CC_LETTER)) return ReadName(token, 1, TK_MEMBER);
    if (c == u'0' && (next == u'x' || next == u'X') && Has(At(m_uPos + 2), CC_HEX))
      return ReadHexNumber(token);
    if (Has(c, CC_DIGIT)) return ReadNumber(token);
    if (c == u'/' && (next == u'/' || next == u'*')) {
      if (SkipComment()) continue;
      return Fail(token, kInvalidCharacter);
    }
    if (ReadOperator(token)) return;
    switch (c) {
      case u'\'':
        return ReadCharacterConstant(token);
      case u'"':
        return ReadString(token);
      case u'#':
        return ReadSpecialConstant(token);
      default:
        break;
    }
    const TokenKind kind = PunctuationKind(c);
    if (kind == TK_ERROR) return Fail(token, kInvalidCharacter);
    return Single(token, kind);
  }
}

void CKVTokenizer::SkipBlanks() {
  while (m_uPos < m_uLength && Has(m_text[m_uPos], CC_BLANK)) ++m_uPos;
}

// word := letter { name-character | "." name-character }
void CKVTokenizer::ReadWord(CToken& token) {
  ReadName(token, 0, TK_NAME);
  if (token.kind == TK_NAME) token.kind = WordKind(token.text);
}

// name := prefix letter { name-character | "." name-character }, prefix being "", "." or "::".
// The limit counts the name without its prefix.
void CKVTokenizer::ReadName(CToken& token, uint32_t prefix, TokenKind kind) {
  const uint32_t start = m_uPos;
  m_uPos += prefix;
  bool dotted = prefix != 0;
  for (;;) {
    while (m_uPos < m_uLength && Has(m_text[m_uPos], CC_NAME)) ++m_uPos;
    if (At(m_uPos) != u'.' || !Has(At(m_uPos + 1), CC_NAME)) break;
    dotted = true;
    ++m_uPos;
  }
  const uint32_t length = m_uPos - start - prefix;
  if (length > (dotted ? kMaxDottedName : kMaxPlainName))
    return Fail(token, dotted ? kDottedNameTooLong : kPlainNameTooLong);
  token.kind = kind;
  token.text.assign(m_text.substr(start, m_uPos - start));
}

// number := digits [ "." digits ]
void CKVTokenizer::ReadNumber(CToken& token) {
  const uint32_t start = m_uPos;
  while (Has(At(m_uPos), CC_DIGIT)) ++m_uPos;
  token.kind = TK_INTEGER;
  if (At(m_uPos) == u'.' && Has(At(m_uPos + 1), CC_DIGIT)) {
    token.kind = TK_REAL;
    ++m_uPos;
    while (Has(At(m_uPos), CC_DIGIT)) ++m_uPos;
  }
  token.text.assign(m_text.substr(start, m_uPos - start));
}

// hexadecimal := "0" ("x" | "X") hex-digit { hex-digit }
void CKVTokenizer::ReadHexNumber(CToken& token) {
  const uint32_t start = m_uPos;
  m_uPos += 2;
  while (Has(At(m_uPos), CC_HEX)) ++m_uPos;
  token.kind = TK_INTEGER;
  token.text.assign(m_text.substr(start, m_uPos - start));
}

// character := "'" any-character "'"; the token text is the character's code in decimal.
void CKVTokenizer::ReadCharacterConstant(CToken& token) {
  if (m_uPos + 2 >= m_uLength || m_text[m_uPos + 2] != u'\'') return Fail(token, kInvalidCharacterConstant);
  char digits[8];
  const char* end = std::to_chars(digits, digits + sizeof digits, unsigned(m_text[m_uPos + 1])).ptr;
  token.kind = TK_INTEGER;
  token.text = AsciiToUtf16(std::string_view(digits, end - digits));
  m_uPos += 3;
}

// string := '"' { character | '""' } '"'
void CKVTokenizer::ReadString(CToken& token) {
  const uint32_t start = m_uPos;
  token.text = u'"';
  for (uint32_t i = start + 1; i < m_uLength; ++i) {
    if (m_text[i] != u'"') {
      token.text += m_text[i];
    } else if (At(i + 1) == u'"') {
      token.text += u'"';
      ++i;
    } else {
      token.text += u'"';
      token.kind = TK_STRING;
      m_uPos = i + 1;
      if (m_pListener) m_pListener->OnString(start, m_uPos, token.text);
      return;
    }
  }
  Fail(token, kEndQuotesMissing);
}

// special := "#" { character | "##" } "#", which must be one of the value literals that begin
// with "#": #N/A#, #NOTHING#, #&XXXXXXXX#, or a time the value type reads.
void CKVTokenizer::ReadSpecialConstant(CToken& token) {
  const uint32_t start = m_uPos;
  for (uint32_t i = start + 1; i < m_uLength; ++i) {
    if (m_text[i] != u'#') continue;
    if (At(i + 1) == u'#') {
      ++i;
      continue;
    }
    const std::u16string_view text = m_text.substr(start, i + 1 - start);
    if (!CNValue::IsLiteral(text)) return Fail(token, kBadSpecialConstant);
    token.kind = TK_STRING;
    token.text.assign(text);
    m_uPos = i + 1;
    return;
  }
  Fail(token, kEndHashMissing);
}

// comment := "//" { character } line-feed | "/*" { character } "*/"
bool CKVTokenizer::SkipComment() {
  if (m_text[m_uPos + 1] == u'/') {
    while (m_uPos < m_uLength && m_text[m_uPos] != u'\n') ++m_uPos;
    return true;
  }
  const size_t end = m_text.find(u"*/", m_uPos + 2);
  if (end == std::u16string_view::npos) return false;
  m_uPos = static_cast<uint32_t>(end + 2);
  return true;
}

// operator := one of the pairs | "<" | ">" | "=" | "|" | "&" | "+" | "-" | "*" | "/" | "^"
bool CKVTokenizer::ReadOperator(CToken& token) {
  const char16_t c = m_text[m_uPos];
  const char16_t next = At(m_uPos + 1);
  for (const OperatorPair& pair : kOperatorPairs) {
    if (pair.first != c || pair.second != next) continue;
    token.kind = pair.kind;
    token.text.assign(m_text.substr(m_uPos, 2));
    m_uPos += 2;
    return true;
  }
  if (!Has(c, CC_OPERATOR)) return false;
  Single(token, SingleOperatorKind(c));
  return true;
}

void CKVTokenizer::Single(CToken& token, TokenKind kind) {
  token.kind = kind;
  token.text.assign(1, m_text[m_uPos++]);
}

void CKVTokenizer::Fail(CToken& token, std::u16string_view message) {
  token.kind = TK_ERROR;
  token.text.assign(message);
  m_uPos = m_uLength;
}

uint32_t CKVTokenizer::GetLine(uint32_t position) const {
  const auto before = std::lower_bound(m_LineFeeds.begin(), m_LineFeeds.end(), position);
  return static_cast<uint32_t>(before - m_LineFeeds.begin()) + 1;
}

uint32_t CKVTokenizer::GetColumn(uint32_t position) const {
  position = std::min(position, m_uLength);
  const auto after = std::lower_bound(m_LineFeeds.begin(), m_LineFeeds.end(), position);
  const bool firstLine = after == m_LineFeeds.begin();
  const uint32_t lineFeed = firstLine ? 0 : *(after - 1);
  uint32_t column = position - lineFeed;
  for (uint32_t i = firstLine ? 0 : lineFeed + 1; i < position; ++i)
    if (m_text[i] == u'\t') column += 4;
  return column;
}

CCompilerError CKVTokenizer::Report(CompilerErrorCode code, const CToken& token) const {
  return CCompilerError(code, token.text, token.start, GetLine(token.start), GetColumn(token.start));
}
