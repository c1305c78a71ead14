#pragma once

#include <string>
#include <string_view>

#include "values/value_element.h"

// Literal forms of single elements, shared by value literals, files and scripts.

// Reads one element literal ("T", "FALSE", numbers, "0x1F", quoted strings, "#...#" times,
// object handles and "#N/A#"); anything unreadable leaves the element kind 0.
void ParseElementLiteral(std::u16string_view text, bool escape, ValueElement& out);
// Writes one element as literal text; strings are quoted and, with escape, backslash-escaped.
void AppendElementLiteral(std::u16string& out, const ValueElement& e, bool escape);
