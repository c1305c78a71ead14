#include "script/script_table.h"

#include "objects/object_handles.h"
#include "script/object_handle.h"

namespace {

// Whether the object the entry was made for still lives at owner. Without a handle (an owner
// that is no screen object) the pointer is all there is to go by.
bool IsAlive(const CScriptEntry& entry, const CNObject* owner) {
  return entry.handle == 0 || CNObjectHandles::Find(entry.handle) == owner;
}

}  // namespace

CScriptEntry* CScriptTable::Find(const CNObject* owner) {
  const auto found = m_Entries.find(owner);
  if (found == m_Entries.end()) return nullptr;
  CScriptEntry* entry = found->second.get();
  if (IsAlive(*entry, owner)) return entry;
  // The owner died without being removed, and another object now lives at its address.
  Retire(std::move(found->second));
  m_Entries.erase(found);
  return nullptr;
}

CScriptEntry* CScriptTable::FindByPath(std::u16string_view path) {
  for (auto& [owner, entry] : m_Entries)
    if (entry->scope.GetPath() == path && IsAlive(*entry, owner)) return entry.get();
  return nullptr;
}

CScriptEntry& CScriptTable::Add(CNObject* owner, std::u16string path) {
  Remove(owner);
  auto entry = std::make_unique<CScriptEntry>(owner, std::move(path));
  entry->handle = HandleOf(owner);
  return *(m_Entries[owner] = std::move(entry));
}

void CScriptTable::Remove(const CNObject* owner) {
  const auto found = m_Entries.find(owner);
  if (found == m_Entries.end()) return;
  Retire(std::move(found->second));
  m_Entries.erase(found);
}

void CScriptTable::Clear() {
  for (auto& [owner, entry] : m_Entries) Retire(std::move(entry));
  m_Entries.clear();
}

void CScriptTable::EndRun() {
  if (--m_uRuns == 0) m_Retired.clear();
}

void CScriptTable::Retire(std::unique_ptr<CScriptEntry> entry) {
  if (m_uRuns > 0) m_Retired.push_back(std::move(entry));
}
