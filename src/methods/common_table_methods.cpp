// The common functions on tables: values of two dimensions, rows outermost. A list counts as a
// table of one row, the empty value as a table without rows; a value of more dimensions as its
// outermost dimension of rows.
#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "values/value_order.h"

namespace {

// One row of a table: the value it comes from and the position of its first element.
struct Row {
  const CNValue* value = nullptr;
  uint32_t first = 0;
  uint32_t width = 0;
};

std::vector<Row> RowsOf(const CNValue& table) {
  std::vector<Row> rows;
  if (table.GetCount() == 0) return rows;
  const uint32_t count = table.GetDimensionCount() == 1 ? 1 : table.GetLength();
  const uint32_t width = table.GetCount() / count;
  for (uint32_t r = 0; r < count; ++r) rows.push_back({&table, r * width, width});
  return rows;
}

// Shapes result as rows.size() by the width of the first row; a shorter row leaves the rest of
// its cells without value, a longer one is cut. False when the table would be too large.
bool SetRows(CNValue& result, const std::vector<Row>& rows) {
  if (rows.empty() || rows[0].width == 0) {
    result.Clear();
    return true;
  }
  const uint32_t sizes[2] = {static_cast<uint32_t>(rows.size()), rows[0].width};
  if (uint64_t{sizes[0]} * sizes[1] > kMaxMethodElements) return false;
  result.SetDimensions(2, sizes);
  for (uint32_t r = 0; r < sizes[0]; ++r)
    for (uint32_t c = 0; c < std::min(sizes[1], rows[r].width); ++c)
      result.CopyElementAt(r * sizes[1] + c, *rows[r].value, rows[r].first + c);
  return true;
}

void Append(std::vector<Row>& rows, const CNValue& table) {
  const std::vector<Row> more = RowsOf(table);
  rows.insert(rows.end(), more.begin(), more.end());
}

// "AddTableRow"/"VarAddRows"(table, rows...) with at least 2 arguments, "CombineRows"(tables...)
// with at least 1: the rows of every argument one after the other.
template <size_t MinArgs>
bool AppendRows(CMethodCall& call) {
  if (call.Count() < MinArgs) return false;
  std::vector<Row> rows;
  for (const CNValue* arg : call.args) Append(rows, *arg);
  return SetRows(call.result, rows);
}

// "InsertTableRow"/"VarInsertRows"(table, index, rows): the rows inserted before row index
// (at the end when index is beyond it, at the front when negative).
bool InsertTableRow(CMethodCall& call) {
  if (call.Count() != 3) return false;
  std::vector<Row> rows = RowsOf(call.Arg(0));
  const std::vector<Row> more = RowsOf(call.Arg(2));
  const auto at = static_cast<size_t>(std::clamp<int64_t>(ArgInt32(call.Arg(1)), 0, static_cast<int64_t>(rows.size())));
  rows.insert(rows.begin() + static_cast<ptrdiff_t>(at), more.begin(), more.end());
  return SetRows(call.result, rows);
}

// "DelTableRow"/"VarDelRows"(table, index[, count]): the table without count rows (default 1)
// from row index; rows beyond the table are ignored.
bool DelTableRow(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  std::vector<Row> rows = RowsOf(call.Arg(0));
  const int64_t at = ArgInt32(call.Arg(1));
  const int64_t count = call.Count() > 2 ? ArgCount(call.Arg(2)) : 1;
  const int64_t size = static_cast<int64_t>(rows.size());
  const int64_t from = std::clamp<int64_t>(at, 0, size), to = std::clamp<int64_t>(at + count, 0, size);
  if (from < to) rows.erase(rows.begin() + from, rows.begin() + to);
  return SetRows(call.result, rows);
}

// "ExchangeTableColRow"(table): rows become columns.
bool ExchangeTableColRow(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const CNValue& table = call.Arg(0);
  const std::vector<Row> rows = RowsOf(table);
  if (rows.empty()) return true;
  const uint32_t sizes[2] = {rows[0].width, static_cast<uint32_t>(rows.size())};
  call.result.SetDimensions(2, sizes);
  for (uint32_t r = 0; r < sizes[0]; ++r)
    for (uint32_t c = 0; c < sizes[1]; ++c) call.result.CopyElementAt(r * sizes[1] + c, table, rows[c].first + r);
  return true;
}

// "SortTable"(table, column[, descending]): the rows ordered by their elements in the column
// (as "SortValue" orders elements); rows that compare equal keep their order.
bool SortTable(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  std::vector<Row> rows = RowsOf(call.Arg(0));
  const int32_t column = ArgInt32(call.Arg(1));
  const bool descending = call.Count() > 2 && call.Arg(2).GetBool(0);
  if (!rows.empty() && column >= 0 && static_cast<uint32_t>(column) < rows[0].width) {
    const ValueElement* e = call.Arg(0).GetElements();
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
      const ValueElement& x = e[a.first + column];
      const ValueElement& y = e[b.first + column];
      return descending ? ElementLess(y, x) : ElementLess(x, y);
    });
  }
  return SetRows(call.result, rows);
}

constexpr std::array kTableMethods = {
    MethodEntry{u"SortTable", "The rows of a table ordered by one column", &SortTable},
    MethodEntry{u"AddTableRow", "A table with rows appended", &AppendRows<2>},
    MethodEntry{u"VarAddRows", "A table with rows appended (as AddTableRow)", &AppendRows<2>},
    MethodEntry{u"CombineRows", "The rows of every table one after the other", &AppendRows<1>},
    MethodEntry{u"InsertTableRow", "A table with rows inserted before a row", &InsertTableRow},
    MethodEntry{u"VarInsertRows", "A table with rows inserted before a row (as InsertTableRow)",
                &InsertTableRow},
    MethodEntry{u"DelTableRow", "A table without a run of rows", &DelTableRow},
    MethodEntry{u"VarDelRows", "A table without a run of rows (as DelTableRow)", &DelTableRow},
    MethodEntry{u"ExchangeTableColRow", "A table with rows and columns exchanged", &ExchangeTableColRow},
};

}  // namespace

std::span<const MethodEntry> CommonTableMethods() { return kTableMethods; }
