#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "script/method_table.h"

// The built-in method tables a call can reach. The layer that defines the tables registers them
// once at start-up (RegisterBuiltInMethods); until then no built-in method is found.
struct CKVStandardTables {
  const CKVMethodTable* root = nullptr;    // global functions of the project's root object
  const CKVMethodTable* common = nullptr;  // conversions, texts, values
  const CKVMethodTable* math = nullptr;    // the mathematical functions
  const CKVMethodTable* object = nullptr;  // the methods of every object
};

// Finds the built-in method a call reaches. An object of a class with a table of its own (the
// Math object, format objects, edit boxes...) answers from it wherever it is; on the root (the
// object without a parent) the global functions are looked up in the tables a host added,
// newest first, then among the root object's own functions, then the common and then the
// mathematical functions; on every object, last, among the object methods.
class CKVBuiltIns {
 public:
  // True when target is of the class a class table belongs to.
  using ClassTest = bool (*)(const CNObject& target);

  // Registration, before any script runs; tables must outlive the process's scripts. Class
  // tables are tried in the order they were registered, and the first whose test passes answers.
  static void RegisterStandardTables(const CKVStandardTables& tables);
  static void RegisterClassTable(ClassTest test, const CKVMethodTable& table);
  static const CKVStandardTables& GetStandardTables();
  // Binds the runtime's handler to the function name of the root's or the object methods' table
  // (RuntimeHandler); false when neither has it.
  static bool BindRuntimeHandler(std::u16string_view name, RuntimeHandler handler);
  // The entry of the function name among the root's and the object methods, with the handler
  // bound to it (null when none); null when neither table has it.
  static const MethodEntry* FindRuntimeEntry(std::u16string_view name, RuntimeHandler& handler);
  // The class tables in the order they are tried.
  static std::vector<std::pair<ClassTest, const CKVMethodTable*>> GetClassTables();

  // table must outlive every use of this object.
  void AddGlobalTable(const CKVMethodTable& table) { m_GlobalTables.push_back(&table); }
  // Null when no table that applies to target has a method of that name.
  const MethodEntry* Find(const CNObject& target, std::u16string_view name) const;

 private:
  std::vector<const CKVMethodTable*> m_GlobalTables;
};

// The entry of name in table, null when table is null or has none.
const MethodEntry* FindMethodEntry(const CKVMethodTable* table, std::u16string_view name);
