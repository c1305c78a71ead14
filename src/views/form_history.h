#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "values/value.h"

// One form a view showed: the form definition, the name it was opened under, the stretch mode
// it was opened with and the open parameter it was given.
struct CNPFormHistoryEntry {
  std::u16string basedFormName;
  std::u16string formName;
  int32_t stretch = 0;
  CNValue openParam;
};

// The forms a view showed, for going back and forth. The last entry of the back list is the
// form on show; going back moves it to the forward list.
class CNPFormHistory {
 public:
  // Appends the entry unless it names the form on show (same based and form names); then drops
  // the oldest entries beyond limit and empties the forward list.
  void Record(CNPFormHistoryEntry entry, uint32_t limit);

  bool HasPrevious() const { return m_back.size() >= 2; }
  bool HasNext() const { return !m_forward.empty(); }
  // One step back: the form on show moves to the forward list; returns the entry now on show,
  // null (changing nothing) when there is no previous form.
  const CNPFormHistoryEntry* StepBack();
  // One step forward: returns the entry now on show, null when there is no next form.
  const CNPFormHistoryEntry* StepForward();
  void Clear();

  // The form on show; null when nothing was recorded.
  const CNPFormHistoryEntry* GetCurrent() const { return m_back.empty() ? nullptr : &m_back.back(); }
  // The forms before the one on show, and after it.
  size_t GetPreviousCount() const { return m_back.empty() ? 0 : m_back.size() - 1; }
  size_t GetNextCount() const { return m_forward.size(); }
  // Entry i counted from the form on show: 0 is the nearest. Null when out of range.
  const CNPFormHistoryEntry* GetPrevious(size_t i) const;
  const CNPFormHistoryEntry* GetNext(size_t i) const;

  const std::vector<CNPFormHistoryEntry>& GetBackList() const { return m_back; }
  const std::vector<CNPFormHistoryEntry>& GetForwardList() const { return m_forward; }

 private:
  std::vector<CNPFormHistoryEntry> m_back;
  std::vector<CNPFormHistoryEntry> m_forward;
};
