#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/number_format.h"

// Quality state argument of FormatNumber (any other value: no state).
inline constexpr int32_t kNumberStateUncertain = 0;
inline constexpr int32_t kNumberStateBad = 1;
// Quality code argument of FormatNumber (any other value: good).
inline constexpr int32_t kNumberCodeBad = 1;
inline constexpr int32_t kNumberCodeUncertain = 2;
// decimalPlaces argument: take the record's.
inline constexpr int32_t kRecordDecimalPlaces = -1;
// More decimal places than this print this many.
inline constexpr int32_t kMaxDecimalPlaces = 100;

// Status of ParseNumber.
inline constexpr int kParseOk = 0;
inline constexpr int kParseNoNumber = 2;

// The text of a value: the quality texts first (state, then code, then not-available), else the
// number in the record's base, padded, grouped, signed and framed by header and footer. The
// caller's decimal places win when 0 or more. Writes into out, reusing its storage.
void FormatNumber(const CNNumberFormat& record, int32_t qualityCode, bool notAvailable, double value,
                  int32_t qualityState, int32_t decimalPlaces, std::u16string& out);

// Reads a text written with the record: kParseOk and the value, or kParseNoNumber (value 0)
// when the text is empty or holds no number.
int ParseNumber(const CNNumberFormat& record, std::u16string_view text, double& value);
