#include "views/form_history.h"

#include <utility>

void CNPFormHistory::Record(CNPFormHistoryEntry entry, uint32_t limit) {
  if (!m_back.empty() && m_back.back().basedFormName == entry.basedFormName &&
      m_back.back().formName == entry.formName)
    return;
  m_back.push_back(std::move(entry));
  if (m_back.size() > limit) m_back.erase(m_back.begin(), m_back.end() - limit);
  m_forward.clear();
}

const CNPFormHistoryEntry* CNPFormHistory::StepBack() {
  if (!HasPrevious()) return nullptr;
  m_forward.push_back(std::move(m_back.back()));
  m_back.pop_back();
  return &m_back.back();
}

const CNPFormHistoryEntry* CNPFormHistory::StepForward() {
  if (!HasNext()) return nullptr;
  m_back.push_back(std::move(m_forward.back()));
  m_forward.pop_back();
  return &m_back.back();
}

void CNPFormHistory::Clear() {
  m_back.clear();
  m_forward.clear();
}

const CNPFormHistoryEntry* CNPFormHistory::GetPrevious(size_t i) const {
  return i < GetPreviousCount() ? &m_back[m_back.size() - 2 - i] : nullptr;
}

const CNPFormHistoryEntry* CNPFormHistory::GetNext(size_t i) const {
  return i < m_forward.size() ? &m_forward[m_forward.size() - 1 - i] : nullptr;
}
