#pragma once

#include <algorithm>
#include <string_view>

struct CNNumberFormat;

// A format string names a format and adjusts a copy of it:
//   format_string := "@" name [ "." pattern ] [ "<" pairs ">" ] blanks
//   pairs         := pair { ( ";" | "><" ) pair }      pair := key "=" value
struct CNFormatStringParts {
  std::u16string_view name;     // with its "@"
  std::u16string_view pattern;  // after the first "." of the part before "<"
  std::u16string_view pairs;    // between the first "<" and the closing ">"
  bool hasPattern = false;
  bool hasPairs = false;
};

// False when the text names no format: it does not begin with "@", or it opens "<" without
// ending in ">" (trailing blanks aside).
bool SplitFormatString(std::u16string_view text, CNFormatStringParts& out);

// Calls set(key, value) for each pair of an angle-bracket part, in order; pairs without a key
// are skipped, a pair without "=" has an empty value.
template <class Set>
void ForEachKeyPair(std::u16string_view pairs, Set&& set) {
  constexpr size_t npos = std::u16string_view::npos;
  for (size_t start = 0; start <= pairs.size();) {
    // The pair ends at the next ";" or "><", whichever comes first.
    const size_t semicolon = pairs.find(u';', start);
    const size_t joint = pairs.find(u"><", start);
    const size_t end = std::min({semicolon, joint, pairs.size()});
    const std::u16string_view pair = pairs.substr(start, end - start);
    const size_t equals = pair.find(u'=');
    const std::u16string_view key = pair.substr(0, equals);
    if (!key.empty()) set(key, equals == npos ? std::u16string_view{} : pair.substr(equals + 1));
    start = end + (end == joint ? 2 : 1);
  }
}

// Applies a number pattern: a whole number of decimal places first, then any of "L" with up
// to three digits (display length), "M" with an optional "-" and up to three digits (point
// shift), "P" (positive sign "+") and "S" (grouping on) with optional digits, each one group
// size; any other character is skipped.
void ApplyNumberPattern(CNNumberFormat& record, std::u16string_view pattern);
