#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editing/text_format.h"

// The numeric check of a number entry, with the messages a version 1 format shows.

struct CNNumberCheckResult {
  bool passed = false;
  double number = 0.0;     // the number read (0 for an empty text that passed)
  std::u16string message;  // for the operator: set only when a version 1 format fails and shows messages
};

// The base a format counts in: its own (version 1) or its number format's (version 2).
int32_t EntryBase(const CNNumberEntryFormat& format);

// Checks a committed text: "," removed; an empty text passes when a version 1 format allows it
// (version 2 never does); a text without a digit of the base fails ("Please input some
// number."); the number read must lie within the limits that are set.
CNNumberCheckResult CheckNumberText(const CNNumberEntryFormat& format, std::u16string_view text);

// A text read as a number, every "," removed: base 10 as a decimal number; bases 2, 8 and 16 as
// an unsigned integer after leading blanks (base 16 may start "0x"), one leading "-" making it
// negative, saturated at 0xFFFFFFFF.
double ReadEntryNumber(std::u16string_view text, int32_t base);
// A number as text in the base: base 10 as values print it, other bases the whole part.
std::u16string WriteEntryNumber(double number, int32_t base, bool smallLetters);

// The text a passed commit shows: a version 2 format with decimal places in base 10 writes the
// number with exactly that many (at most kMaxShownDecimals); any other keeps the text.
inline constexpr int32_t kMaxShownDecimals = 20;
std::u16string ShapeEntryText(const CNNumberEntryFormat& format, double number, std::u16string_view text);

// Whether the text, as typed so far, can still become a number of a version 1 format: an
// optional "-" (only when negative numbers are in range), digits of the base ("," between them
// in base 10), in base 10 a "." when the format has fraction digits, and no more integer or
// fraction digits than the format counts.
bool IsNumberPrefix(const CNNumberEntryFormat& format, std::u16string_view text);

// Whether messages of the setting come in Japanese: always for MESSAGE_JAPANESE, and for
// MESSAGE_AUTO when the current locale is "ja" or "ja-JP" (ignoring case).
bool UsesJapaneseMessages(int32_t message);
