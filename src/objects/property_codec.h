#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "objects/property_info.h"
#include "values/value.h"

// Converts a value handed to a property into the property's canonical stored form, by its type:
// bool, integer (truncated toward zero, saturating at 32 bits), number, enumeration (an item text
// in the list's own spelling, or an item position; a border style may also be an "@ThemeStyle"
// name), colour ("#RRGGBB", "@ThemeColor", "" for no
// colour, or a number read as a Windows COLORREF), tag types (the value as it is), and text for
// every other type (the first element's text, "" for an element without value).
// Returns false, leaving out untouched, when the value does not convert (an unknown item,
// a malformed colour).
bool ConvertPropertyValue(const PropertyInfo& info, const CNValue& in, CNValue& out);
// The same for a string value holding text (as a form file gives a property), without that value.
bool ConvertPropertyText(const PropertyInfo& info, std::u16string_view text, CNValue& out);

// Colours are Windows COLORREFs: red in the low byte. As text, "#" and six upper-case hex digits
// with red first.
bool ParseColorText(std::u16string_view text, uint32_t& colorRef);
std::u16string ColorText(uint32_t colorRef);
