#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "alarms/alarm_record.h"

// What a row of the alarm grid shows of an alarm.
enum class CNAlarmRowState : uint8_t {
  kNew,           // not acknowledged, not recovered: active, and it blinks
  kRecovered,     // recovered, not acknowledged yet
  kAcknowledged,  // acknowledged
};

// "new", "recovered" or "acknowledged".
std::u16string_view AlarmRowStateName(CNAlarmRowState state);

struct CNAlarmGridRow {
  FileTime date = 0;
  std::u16string alarmId;
  CNAlarmRowState state = CNAlarmRowState::kNew;
  std::u16string comments;  // joined with "; "
  bool selected = false;
};

// The rows of the alarm grid: one per alarm id, the one with the latest record first. A record of
// a known id updates its row and moves it to the top; past the row limit the oldest rows go.
// Rows are counted from the top (0 is the newest).
class CNAlarmGridRows {
 public:
  static constexpr size_t kDefaultMaxRows = 10000;

  void Apply(const CNAlarmRecord& record);
  void Clear();
  void SetMaxRows(size_t rows);

  size_t GetCount() const { return m_rows.size(); }
  // Calls visit(index, row) for count rows from first on. Finding the first row walks from the
  // one found last time, so that redrawing a scrolled grid costs only the rows in view.
  template <class Visit>
  void ForEach(size_t first, size_t count, Visit&& visit) const {
    if (first >= m_rows.size()) return;
    auto row = Seek(first);
    for (size_t i = first; i < first + count && row != m_rows.rend(); ++i, ++row) visit(i, row->second);
  }
  // The row at index; null past the end.
  const CNAlarmGridRow* GetRow(size_t index) const;
  bool HasState(CNAlarmRowState state) const;

  // A click on a row: it joins the selection, or leaves it when it was selected.
  void ToggleSelection(size_t index);
  void ClearSelection();
  // The ids of the selected rows, from the top.
  std::vector<std::u16string> GetSelectedIds() const;

 private:
  using RowMap = std::map<uint64_t, CNAlarmGridRow>;

  CNAlarmGridRow* RowAt(size_t index);
  // The row at index (below the count), from the top.
  RowMap::const_reverse_iterator Seek(size_t index) const;
  void TrimOldest();

  RowMap m_rows;  // by arrival, oldest first
  std::unordered_map<std::u16string, uint64_t> m_byId;
  uint64_t m_ullNext = 0;
  size_t m_maxRows = kDefaultMaxRows;
  // The last row Seek found; every change of the rows forgets it.
  mutable bool m_bSeekValid = false;
  mutable size_t m_seekIndex = 0;
  mutable RowMap::const_reverse_iterator m_seekRow;
};
