#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/statements_object.h"

// The compiled script of one object, with what the engine keeps beside it.
struct CScriptEntry {
  CScriptEntry(CNObject* owner, std::u16string path) : scope(owner, std::move(path)) {}
  CSCObject scope;
  uint32_t handle = 0;       // the owner's handle (HandleOf): an entry whose owner died no longer matches
  bool initialised = false;  // the top-level declarations have run
};

// The scripts of the open objects, by owner. Scripts taken out while scripts run are kept until
// the last run ends, so that running code never refers to a freed script.
class CScriptTable {
 public:
  // The script of a live owner; null when it has none.
  CScriptEntry* Find(const CNObject* owner);
  // The first script whose scope has that path; null when none has.
  CScriptEntry* FindByPath(std::u16string_view path);
  // A new, empty script for owner, in place of any it had.
  CScriptEntry& Add(CNObject* owner, std::u16string path);
  void Remove(const CNObject* owner);
  void Clear();

  void BeginRun() { ++m_uRuns; }
  void EndRun();

  template <class F>
  void ForEach(F&& f) {
    for (auto& [owner, entry] : m_Entries) f(*entry);
  }

 private:
  void Retire(std::unique_ptr<CScriptEntry> entry);

  std::unordered_map<const CNObject*, std::unique_ptr<CScriptEntry>> m_Entries;
  std::vector<std::unique_ptr<CScriptEntry>> m_Retired;
  uint32_t m_uRuns = 0;
};
