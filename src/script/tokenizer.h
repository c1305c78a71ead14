#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/compiler_error.h"
#include "script/token.h"

// Told about every string literal the tokenizer reads; the script editor colours them.
class IKVStringListener {
 public:
  virtual ~IKVStringListener() = default;
  // start and end delimit the literal in the script, quotes included; text is its token text
  // (quotes kept, each doubled quote held as one).
  virtual void OnString(uint32_t start, uint32_t end, std::u16string_view text) = 0;
};

// Cuts an event script into tokens, one at a time, on demand. A lexical error gives one
// TK_ERROR token whose text is the message; after it, and at the end of the text, every read
// gives TK_END.
class CKVTokenizer {
 public:
  // The longest script the tokenizer takes: positions are 32-bit.
  static constexpr size_t kMaxLength = 0xFFFFFFF0u;

  CKVTokenizer() = default;
  // The text is not copied: it must outlive the tokenizer's use of it.
  explicit CKVTokenizer(std::u16string_view text) { SetText(text); }

  // Starts over on a new text (at most kMaxLength code units; the rest is not read).
  void SetText(std::u16string_view text);
  void SetStringListener(IKVStringListener* listener) { m_pListener = listener; }

  // Reads the next token into token, reusing its text buffer.
  void Next(CToken& token);

  // The position the next read starts from; a saved position can be set back to re-read.
  uint32_t GetPosition() const { return m_uPos; }
  void SetPosition(uint32_t position) { m_uPos = position < m_uLength ? position : m_uLength; }

  // Line of a position: the line feeds before it plus 1.
  uint32_t GetLine(uint32_t position) const;
  // Column of a position: its distance from the last line feed before it, each tab between
  // counting 4 further columns; on the first line, the position itself plus 4 per tab.
  uint32_t GetColumn(uint32_t position) const;
  // A compile error about token, with the token's text as the detail and its line and column.
  CCompilerError Report(CompilerErrorCode code, const CToken& token) const;

  // The script's longest names: without a point, and with one (member and global names too).
  static constexpr uint32_t kMaxPlainName = 64;
  static constexpr uint32_t kMaxDottedName = 128;

 private:
  void SkipBlanks();
  // Each Read* starts at the token's first character and leaves m_uPos after the token.
  void ReadWord(CToken& token);
  void ReadName(CToken& token, uint32_t prefix, TokenKind kind);
  void ReadNumber(CToken& token);
  void ReadHexNumber(CToken& token);
  void ReadCharacterConstant(CToken& token);
  void ReadString(CToken& token);
  void ReadSpecialConstant(CToken& token);
  // Skips a comment starting at m_uPos; false for a block comment without its end.
  bool SkipComment();
  bool ReadOperator(CToken& token);
  void Single(CToken& token, TokenKind kind);
  void Fail(CToken& token, std::u16string_view message);
  char16_t At(uint32_t position) const { return position < m_uLength ? m_text[position] : u'\0'; }

  std::u16string_view m_text;
  uint32_t m_uLength = 0;
  uint32_t m_uPos = 0;
  std::vector<uint32_t> m_LineFeeds;  // positions of every line feed, ascending
  IKVStringListener* m_pListener = nullptr;
};
