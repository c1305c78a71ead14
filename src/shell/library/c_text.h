#pragma once

#include <string>
#include <string_view>

#include "values/value.h"

// Texts and values at the edge of the C interface.

// Strict UTF-8 (no overlong forms, surrogates or code points above U+10FFFF) as UTF-16; false
// for anything else.
bool DecodeUtf8(std::string_view text, std::u16string& out);

// A value literal as the C interface takes it: a number ("12.5", "-3", "0x1F"), "T", "F",
// "TRUE", "FALSE", a quoted string, a time, "#N/A#", "#NOTHING#", an object handle or a "c("
// list. False for any other text.
bool ParseValueLiteral(std::u16string_view text, CNValue& value);

// A copy for the caller, freed with vb_string_free (free); null when memory ran out.
char* CopyForCaller(std::u16string_view text);
