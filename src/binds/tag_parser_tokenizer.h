#pragma once

#include <cstdint>
#include <string_view>

#include "binds/tag_parser_token.h"
#include "script/tokenizer.h"

// Cuts a bind script into tokens, one at a time, on demand. The compiler hands it the script
// wrapped in a case list; the offset is the length of what it put in front, so that positions
// can be given back in the script as written. A lexical error gives one TT_ERROR token whose
// text is the message; after it, and at the end of the text, every read gives TT_END (";").
class CTagParserTokenizer {
 public:
  static constexpr size_t kMaxLength = CKVTokenizer::kMaxLength;

  CTagParserTokenizer() = default;
  // The text is not copied: it must outlive the tokenizer's use of it.
  explicit CTagParserTokenizer(std::u16string_view text, uint32_t offset = 0) { SetText(text, offset); }

  void SetText(std::u16string_view text, uint32_t offset = 0);
  // Told about every string literal, in positions of the script as written.
  void SetStringListener(IKVStringListener* listener) { m_pListener = listener; }

  // Reads the next token into token, reusing its text buffer.
  void Next(CTagParserToken& token);

  uint32_t GetPosition() const { return m_uPos; }
  uint32_t GetLength() const { return m_uLength; }
  uint32_t GetOffset() const { return m_uOffset; }
  // The end of the text, as opposed to a ";" written in it.
  bool IsEndOfText(const CTagParserToken& token) const {
    return token.kind == TT_END && token.start >= m_uLength;
  }
  // A position of the text as a position of the script as written; the added prefix gives 0.
  uint32_t ScriptPosition(uint32_t position) const { return position > m_uOffset ? position - m_uOffset : 0; }

  // Line and column of a position of a script: the line feeds before it plus 1, and its
  // distance from the last line feed before it with each tab between counting 4 further
  // columns (on the first line, the position itself plus 4 per tab) - the event scripts' rule.
  static void Locate(std::u16string_view script, uint32_t position, uint32_t& line, uint32_t& column);

 private:
  // Each Read* starts at the token's first character and leaves m_uPos after the token.
  void ReadBracketedName(CTagParserToken& token);
  void ReadWord(CTagParserToken& token);
  void ReadNumber(CTagParserToken& token);
  void ReadHexNumber(CTagParserToken& token);
  bool ReadOperator(CTagParserToken& token);
  void ReadString(CTagParserToken& token);
  void ReadQuotedName(CTagParserToken& token);
  void Single(CTagParserToken& token, TagTokenKind kind);
  void Fail(CTagParserToken& token, std::u16string_view message);
  char16_t At(uint32_t position) const { return position < m_uLength ? m_text[position] : u'\0'; }

  std::u16string_view m_text;
  uint32_t m_uLength = 0;
  uint32_t m_uOffset = 0;
  uint32_t m_uPos = 0;
  IKVStringListener* m_pListener = nullptr;
};
