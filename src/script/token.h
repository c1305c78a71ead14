#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Kinds of event-script tokens, with their fixed values.
enum TokenKind : uint8_t {
  TK_KEYWORD = 0,      // a keyword other than "new", "delete" and "c"
  TK_STRING = 1,       // "text" (quotes kept, a doubled quote held as one) or a "#...#" constant
  TK_BOOLEAN = 2,      // T, F, TRUE, FALSE
  TK_INTEGER = 3,      // decimal digits, 0x hexadecimal, or a character constant (text: its code)
  TK_REAL = 4,         // digits "." digits
  TK_MEMBER = 6,       // ".Name" inside a with block
  TK_NAME = 7,         // a name, possibly dotted, or "::Name" (a global name)
  TK_ARITHMETIC = 13,  // + - * / ^
  TK_COMPARISON = 14,  // < > == >= <= != <> && ||
  TK_ASSIGNMENT = 18,  // = += -= *= /= &= |=
  TK_NOT = 19,         // !
  TK_NEW = 20,
  TK_DELETE = 21,
  TK_ARRAY_FORM = 22,  // c, which starts c(...)
  TK_POINT = 23,       // "." not followed by a letter
  TK_OPEN_BRACE = 24,
  TK_CLOSE_BRACE = 25,
  TK_OPEN_PAREN = 26,
  TK_CLOSE_PAREN = 27,
  TK_OPEN_BRACKET = 28,
  TK_CLOSE_BRACKET = 29,
  TK_COMMA = 30,
  TK_COLON = 31,
  TK_SEMICOLON = 32,
  TK_AMPERSAND = 33,
  TK_BAR = 34,
  TK_END = 65,    // the end of the text; every further read gives it again
  TK_ERROR = 66,  // a lexical error; the text holds the message
};

// One token of an event script. Its position is the index of its first character in the
// script; line and column are worked out from it only when an error is reported.
struct CToken {
  TokenKind kind = TK_END;
  std::u16string text;
  uint32_t start = 0;

  bool Is(TokenKind k, std::u16string_view t) const { return kind == k && text == t; }
};
