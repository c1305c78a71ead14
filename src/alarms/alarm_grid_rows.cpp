#include "alarms/alarm_grid_rows.h"

#include <iterator>

std::u16string_view AlarmRowStateName(CNAlarmRowState state) {
  switch (state) {
    case CNAlarmRowState::kNew:
      return u"new";
    case CNAlarmRowState::kRecovered:
      return u"recovered";
    case CNAlarmRowState::kAcknowledged:
      return u"acknowledged";
  }
  return {};
}

namespace {

CNAlarmRowState StateOf(const CNAlarmRecord& record) {
  if (record.acked) return CNAlarmRowState::kAcknowledged;
  return record.recovered ? CNAlarmRowState::kRecovered : CNAlarmRowState::kNew;
}

std::u16string JoinComments(const std::vector<std::u16string>& comments) {
  std::u16string text;
  for (const std::u16string& comment : comments) {
    if (!text.empty()) text += u"; ";
    text += comment;
  }
  return text;
}

}  // namespace

void CNAlarmGridRows::Apply(const CNAlarmRecord& record) {
  m_bSeekValid = false;
  CNAlarmGridRow row{record.date, record.alarmId, StateOf(record), JoinComments(record.comments), false};
  const auto known = m_byId.find(record.alarmId);
  if (known != m_byId.end()) {
    const auto old = m_rows.find(known->second);
    row.selected = old->second.selected;
    m_rows.erase(old);
    known->second = m_ullNext;
  } else {
    m_byId.emplace(record.alarmId, m_ullNext);
  }
  m_rows.emplace(m_ullNext++, std::move(row));
  TrimOldest();
}

void CNAlarmGridRows::TrimOldest() {
  m_bSeekValid = false;
  while (m_rows.size() > m_maxRows) {
    m_byId.erase(m_rows.begin()->second.alarmId);
    m_rows.erase(m_rows.begin());
  }
}

void CNAlarmGridRows::Clear() {
  m_bSeekValid = false;
  m_rows.clear();
  m_byId.clear();
}

void CNAlarmGridRows::SetMaxRows(size_t rows) {
  m_maxRows = rows == 0 ? 1 : rows;
  TrimOldest();
}

CNAlarmGridRows::RowMap::const_reverse_iterator CNAlarmGridRows::Seek(size_t index) const {
  if (!m_bSeekValid) {
    m_seekRow = m_rows.crbegin();
    m_seekIndex = 0;
    m_bSeekValid = true;
  }
  // From the top, or from the row found last, whichever is nearer.
  if (index < m_seekIndex && index < m_seekIndex - index) {
    m_seekRow = m_rows.crbegin();
    m_seekIndex = 0;
  }
  std::advance(m_seekRow, static_cast<std::ptrdiff_t>(index) - static_cast<std::ptrdiff_t>(m_seekIndex));
  m_seekIndex = index;
  return m_seekRow;
}

CNAlarmGridRow* CNAlarmGridRows::RowAt(size_t index) {
  if (index >= m_rows.size()) return nullptr;
  // The map's values may change in place; only its order is fixed.
  return const_cast<CNAlarmGridRow*>(&Seek(index)->second);
}

const CNAlarmGridRow* CNAlarmGridRows::GetRow(size_t index) const {
  return const_cast<CNAlarmGridRows*>(this)->RowAt(index);
}

bool CNAlarmGridRows::HasState(CNAlarmRowState state) const {
  for (const auto& [order, row] : m_rows)
    if (row.state == state) return true;
  return false;
}

void CNAlarmGridRows::ToggleSelection(size_t index) {
  if (CNAlarmGridRow* row = RowAt(index)) row->selected = !row->selected;
}

void CNAlarmGridRows::ClearSelection() {
  for (auto& [order, row] : m_rows) row.selected = false;
}

std::vector<std::u16string> CNAlarmGridRows::GetSelectedIds() const {
  std::vector<std::u16string> ids;
  for (auto row = m_rows.rbegin(); row != m_rows.rend(); ++row)
    if (row->second.selected) ids.push_back(row->second.alarmId);
  return ids;
}
