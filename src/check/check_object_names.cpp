#include "check/check_object_names.h"

#include <algorithm>

#include "check/check_place.h"
#include "objects/object.h"

void CNSiblingNameCheck::BeginChildren(const CNObject& parent, size_t depth) {
  if (m_repeated.size() <= depth) m_repeated.resize(depth + 1);
  std::vector<bool>& repeated = m_repeated[depth];
  repeated.assign(static_cast<size_t>(std::max(parent.GetChildCount(), 0)), false);
  m_names.clear();
  for (int32_t i = 0; i < parent.GetChildCount(); ++i)
    if (const CNObject* child = parent.GetChild(i); child && !child->GetName().empty())
      m_names.emplace_back(child->GetName(), i);
  // By name, then by position: every child after the first of a name is repeated.
  std::sort(m_names.begin(), m_names.end());
  for (size_t k = 1; k < m_names.size(); ++k)
    if (m_names[k].first == m_names[k - 1].first) repeated[static_cast<size_t>(m_names[k].second)] = true;
}

void CNSiblingNameCheck::CheckChild(const CNObject& child, int32_t index, size_t depth) {
  if (!m_repeated[depth][static_cast<size_t>(index)]) return;
  CNObjectPlace place = FindObjectPlace(child);
  m_problems.push_back({"duplicate-name", CNProblemSeverity::kWarning, std::move(place.form),
                        std::move(place.path), u"Name", 0, 0,
                        u"an earlier object of the same parent has this name; names reach that one"});
}
