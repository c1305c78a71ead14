#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The value syntax shared by the keys of every format family.

// "TRUE"/"T" and "FALSE"/"F" in any case, else a number that is true when not 0; empty is false.
bool ReadTruth(std::u16string_view text);
std::u16string_view WriteTruth(bool value);  // "T" or "F"

// One character: the first of the text, or a blank for "$SP". False, leaving out alone, for an
// empty text.
bool ReadSymbol(std::u16string_view text, char16_t& out);
std::u16string WriteSymbol(char16_t symbol);  // a blank is written "$SP"

// A whole number as "%d" reads it (saturating at the 32-bit limits; 0 when none).
int32_t ReadWhole(std::u16string_view text);
std::u16string WriteWhole(int64_t value);

// Without the white space at both ends.
std::u16string_view TrimSpace(std::u16string_view text);

// Every occurrence of `from` replaced by `to`, left to right without overlap.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from, std::u16string_view to);
