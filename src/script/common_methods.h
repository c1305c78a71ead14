#pragma once

#include <span>
#include <string>
#include <string_view>

#include "objects/value_element.h"

#include "script/method_table.h"

// The common functions by concern; CommonMethods() puts them together.
std::span<const MethodEntry> CommonConversionMethods();  // numbers, colours, codes, literals
std::span<const MethodEntry> CommonTextMethods();        // texts and lists of texts
std::span<const MethodEntry> CommonTimeMethods();        // times, time zones and time formats
std::span<const MethodEntry> CommonValueMethods();       // shapes, kinds, qualities, sets
std::span<const MethodEntry> CommonTableMethods();       // rows of two-dimensional values
std::span<const MethodEntry> CommonFileMethods();        // files, folders, the computer
std::span<const MethodEntry> CommonSystemMethods();      // message boxes, other programs
std::span<const MethodEntry> CommonLocaleMethods();      // the regional settings

// The printf-style text of one conversion such as "%5.2f", "%d", "%X" or "%s" applied to an
// element; texts outside a conversion are copied, "%%" gives "%".
std::u16string PrintfText(std::u16string_view format, std::span<const ValueElement* const> elements);
