#pragma once

#include <string>
#include <string_view>

#include "formats/number_format.h"

// Writes a record back as the format string that makes it from its base format: the base's
// name, "." and pattern letters (decimal places, "L", "M", "P", "S") for what the letters can say,
// then "<", "Key=value;" for every other key that differs, and ">". Resolving the result gives
// the record again as long as no text in it holds ";", "<" or ">".
std::u16string WriteNumberFormatString(const CNNumberFormat& record, std::u16string_view baseName,
                                       const CNNumberFormat& base);

// The record as a section of a format file: "[name]" and one "Key=value" line for each key that
// differs from a new record's.
std::u16string WriteNumberFormatSection(std::u16string_view name, const CNNumberFormat& record);
