#include "methods/root_csv.h"

#include <algorithm>

namespace {

bool NeedsQuotes(std::u16string_view field, char16_t delimiter) {
  if (field.empty()) return false;
  return field.find_first_of(std::u16string{delimiter, u'"', u'\r', u'\n'}) != std::u16string_view::npos ||
         field.front() == u' ' || field.back() == u' ';
}

void AppendField(std::u16string& text, std::u16string_view field, char16_t delimiter) {
  if (!NeedsQuotes(field, delimiter)) {
    text += field;
    return;
  }
  text += u'"';
  for (const char16_t c : field) {
    if (c == u'"') text += u'"';
    text += c;
  }
  text += u'"';
}

}  // namespace

// csv := record (line-break record)* [line-break]
// record := field (delimiter field)*
// field := '"' (any but '"' | '""')* '"' [text] | text
CsvStatus ParseCsv(std::u16string_view text, char16_t delimiter, size_t maxFields,
                   std::vector<std::vector<std::u16string>>& rows) {
  rows.clear();
  if (text.empty()) return CsvStatus::kOk;
  std::vector<std::u16string> record;
  std::u16string field;
  size_t fields = 0;
  size_t i = 0;
  const auto endField = [&] {
    if (++fields > maxFields) return false;
    record.push_back(std::move(field));
    field.clear();
    return true;
  };
  for (;;) {
    // At the start of a field.
    if (i < text.size() && text[i] == u'"') {
      ++i;
      for (;;) {
        if (i >= text.size()) {  // never closed
          rows.clear();
          return CsvStatus::kOpenQuote;
        }
        if (text[i] == u'"') {
          if (i + 1 < text.size() && text[i + 1] == u'"') {
            field += u'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
    }
    while (i < text.size() && text[i] != delimiter && text[i] != u'\r' && text[i] != u'\n')
      field += text[i++];
    if (!endField()) {
      rows.clear();
      return CsvStatus::kTooManyFields;
    }
    if (i >= text.size()) break;
    if (text[i] == delimiter) {
      ++i;
      continue;
    }
    // A line break: CR LF, LF or CR.
    i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
    rows.push_back(std::move(record));
    record.clear();
    if (i >= text.size()) return CsvStatus::kOk;
  }
  rows.push_back(std::move(record));
  return CsvStatus::kOk;
}

bool CsvRowsToValue(const std::vector<std::vector<std::u16string>>& rows, size_t maxElements,
                    CNValue& value) {
  value.Clear();
  if (rows.empty()) return true;
  size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  if (columns == 0 || rows.size() > maxElements / columns) return false;
  const uint32_t sizes[2] = {static_cast<uint32_t>(rows.size()), static_cast<uint32_t>(columns)};
  if (!value.SetDimensions(2, sizes)) return false;
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < columns; ++c)
      value.SetStringAt(static_cast<uint32_t>(r * columns + c),
                        c < rows[r].size() ? rows[r][c] : std::u16string());
  return true;
}

bool ValueToCsv(const CNValue& value, char16_t delimiter, std::u16string& text) {
  text.clear();
  if (value.IsEmpty()) return true;
  if (value.GetDimensionCount() > 2) return false;
  const uint32_t columns = value.GetDimensionCount() == 2 ? value.GetDimensionSize(1) : value.GetCount();
  const uint32_t rows = columns ? value.GetCount() / columns : 0;
  for (uint32_t r = 0; r < rows; ++r) {
    for (uint32_t c = 0; c < columns; ++c) {
      if (c) text += delimiter;
      AppendField(text, value.GetTextEmptyNA(r * columns + c), delimiter);
    }
    text += u"\r\n";
  }
  return true;
}
