#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "values/value.h"

// Comma-separated text for "LoadCsvFile" and "SaveCsvFile".
//
// Reading: fields are separated by the delimiter and records by CR LF, LF or CR; a field in
// double quotes may hold delimiters, line breaks and quotes written twice (""). A quote inside
// an unquoted field, and text after a closing quote, are taken as they stand. A line break at
// the very end ends the last record rather than starting an empty one.
//
// Writing: a field is quoted when it holds the delimiter, a quote, CR or LF, or begins or ends
// with a space; every record ends with CR LF.

enum class CsvStatus { kOk, kOpenQuote, kTooManyFields };

// The records of text; rows are left empty for a quoted field that is never closed or more than
// maxFields fields in all.
CsvStatus ParseCsv(std::u16string_view text, char16_t delimiter, size_t maxFields,
                   std::vector<std::vector<std::u16string>>& rows);

// The rows as a two-dimensional value of strings (rows by the longest row's length, shorter
// rows filled with empty strings); the empty value for no rows. False when it would have more
// than maxElements elements.
bool CsvRowsToValue(const std::vector<std::vector<std::u16string>>& rows, size_t maxElements, CNValue& value);

// The text of a value of at most two dimensions: a two-dimensional value is rows by columns, a
// list or a scalar one record, the empty value no record. Elements without value write as empty
// fields. False for three or more dimensions.
bool ValueToCsv(const CNValue& value, char16_t delimiter, std::u16string& text);
