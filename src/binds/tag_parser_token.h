#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Kinds of bind-script tokens, with their fixed values.
enum TagTokenKind : uint8_t {
  TT_KEYWORD = 0,          // null, default
  TT_STRING = 1,           // "text": quotes kept, a doubled quote held as one
  TT_BOOLEAN = 2,          // T, F, TRUE, FALSE
  TT_INTEGER = 3,          // decimal digits, or 0x hexadecimal
  TT_REAL = 4,             // digits "." digits
  TT_NAME = 7,             // a word, a 'quoted' name (quotes removed) or a [bracketed] name
  TT_TARGET = 8,           // a name an assignment writes
  TT_FUNCTION = 9,         // a name followed by "("
  TT_OPERATOR = 10,        // * + - / < >
  TT_OPERATOR_PAIR = 11,   // == >= <= != <> && ||
  TT_ASSIGNMENT = 12,      // = += -= *= /= |= &=
  TT_NOT = 16,             // !
  TT_DOT = 17,             // a point as the last character of the text
  TT_OPEN_BRACE = 18,
  TT_CLOSE_BRACE = 19,
  TT_OPEN_PAREN = 20,
  TT_CLOSE_PAREN = 21,
  TT_COMMA = 22,
  TT_END = 23,             // ";", and the end of the text
  TT_AMPERSAND = 24,       // &
  TT_BAR = 25,             // |
  TT_ERROR = 26,           // a lexical error; the text holds the message
  TT_EMPTY_ARGUMENT = 27,  // an argument left out between commas
};

// No binding level: operands, and tokens the operator table does not list.
inline constexpr int8_t kNoLevel = -1;

// One token of a bind script. Its position is the index of its first character in the text the
// tokenizer reads; operators carry their binding level.
struct CTagParserToken {
  TagTokenKind kind = TT_END;
  std::u16string text;
  uint32_t start = 0;
  int8_t level = kNoLevel;

  bool Is(TagTokenKind k, std::u16string_view t) const { return kind == k && text == t; }
};
