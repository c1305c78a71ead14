#include "script/builtin_tables.h"

#include "objects/object.h"

namespace {

struct CClassTable {
  CKVBuiltIns::ClassTest test;
  const CKVMethodTable* table;
};

CKVStandardTables& StandardTables() {
  static CKVStandardTables s_tables;
  return s_tables;
}

std::vector<CClassTable>& ClassTables() {
  static std::vector<CClassTable> s_tables;
  return s_tables;
}

}  // namespace

const MethodEntry* FindMethodEntry(const CKVMethodTable* table, std::u16string_view name) {
  if (!table) return nullptr;
  const int32_t number = table->Find(name);
  return number < 0 ? nullptr : &table->GetEntry(number);
}

void CKVBuiltIns::RegisterStandardTables(const CKVStandardTables& tables) { StandardTables() = tables; }

void CKVBuiltIns::RegisterClassTable(ClassTest test, const CKVMethodTable& table) {
  ClassTables().push_back({test, &table});
}

const CKVStandardTables& CKVBuiltIns::GetStandardTables() { return StandardTables(); }

bool CKVBuiltIns::BindRuntimeHandler(std::u16string_view name, RuntimeHandler handler) {
  for (const CKVMethodTable* table : {StandardTables().root, StandardTables().object})
    if (table && table->BindHandler(name, handler)) return true;
  return false;
}

const MethodEntry* CKVBuiltIns::FindRuntimeEntry(std::u16string_view name, RuntimeHandler& handler) {
  for (const CKVMethodTable* table : {StandardTables().root, StandardTables().object}) {
    const int32_t number = table ? table->Find(name) : -1;
    if (number < 0) continue;
    handler = table->GetHandler(number);
    return &table->GetEntry(number);
  }
  handler = nullptr;
  return nullptr;
}

std::vector<std::pair<CKVBuiltIns::ClassTest, const CKVMethodTable*>> CKVBuiltIns::GetClassTables() {
  std::vector<std::pair<ClassTest, const CKVMethodTable*>> tables;
  for (const CClassTable& entry : ClassTables()) tables.emplace_back(entry.test, entry.table);
  return tables;
}

const MethodEntry* CKVBuiltIns::Find(const CNObject& target, std::u16string_view name) const {
  const CKVStandardTables& standard = StandardTables();
  for (const CClassTable& entry : ClassTables()) {
    if (!entry.test(target)) continue;
    const MethodEntry* found = FindMethodEntry(entry.table, name);
    return found ? found : FindMethodEntry(standard.object, name);
  }
  const MethodEntry* found = nullptr;
  if (!target.GetParent()) {
    for (auto table = m_GlobalTables.rbegin(); !found && table != m_GlobalTables.rend(); ++table)
      found = FindMethodEntry(*table, name);
    if (!found) found = FindMethodEntry(standard.root, name);
    if (!found) found = FindMethodEntry(standard.common, name);
    if (!found) found = FindMethodEntry(standard.math, name);
  }
  return found ? found : FindMethodEntry(standard.object, name);
}
