#include "script/method_table.h"

#include <algorithm>

int32_t CKVMethodTable::Find(std::u16string_view name) const {
  std::call_once(m_Built, [this] {
    m_ByName.reserve(m_Entries.size());
    for (size_t i = 0; i < m_Entries.size(); ++i) m_ByName.emplace_back(m_Entries[i].name, static_cast<int32_t>(i));
    std::sort(m_ByName.begin(), m_ByName.end());
  });
  const auto found = std::lower_bound(m_ByName.begin(), m_ByName.end(), name,
                                      [](const auto& entry, std::u16string_view key) { return entry.first < key; });
  return found != m_ByName.end() && found->first == name ? found->second : -1;
}

bool CKVMethodTable::BindHandler(std::u16string_view name, RuntimeHandler handler) const {
  const int32_t number = Find(name);
  if (number < 0) return false;
  m_Handlers.resize(m_Entries.size());
  m_Handlers[static_cast<size_t>(number)] = handler;
  return true;
}

RuntimeHandler CKVMethodTable::GetHandler(int32_t number) const {
  const auto at = static_cast<size_t>(number);
  return number >= 0 && at < m_Handlers.size() ? m_Handlers[at] : nullptr;
}
