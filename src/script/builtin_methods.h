#pragma once

#include <string_view>
#include <vector>

#include "script/method_table.h"

// The built-in method tables.
const CKVMethodTable& RootMethods();    // global functions of the project's root object
const CKVMethodTable& CommonMethods();  // conversions, texts, values
const CKVMethodTable& MathMethods();    // the mathematical functions, methods of the Math object
const CKVMethodTable& ObjectMethods();  // the methods of every object
const CKVMethodTable& EditBoxMethods();  // the methods of edit boxes

// Finds the built-in method a call reaches. On the root (the object without a parent) the
// global functions are looked up in the tables a host added, newest first, then among the root
// object's own functions, then the common and then the mathematical functions; on a Math
// object among the mathematical functions; on a format object or an edit box among its own
// methods; on every object, last, among the object methods.
class CKVBuiltIns {
 public:
  // table must outlive every use of this object.
  void AddGlobalTable(const CKVMethodTable& table) { m_GlobalTables.push_back(&table); }
  // Null when no table that applies to target has a method of that name.
  const MethodEntry* Find(const CNObject& target, std::u16string_view name) const;

 private:
  std::vector<const CKVMethodTable*> m_GlobalTables;
};
