#pragma once

#include <memory>
#include <unordered_map>

#include "script/compiler_error.h"
#include "script/statements_object.h"

class CNObject;

// The compiled event scripts of a project's objects, each compiled once when first asked for:
// the checker asks for a script both to check it and to look up the functions other scripts
// call in it.
class CNScriptScopes {
 public:
  // object's compiled script; null when it has none or it does not compile (error then tells
  // why, when given).
  const CSCObject* Get(const CNObject& object, CCompilerError* error = nullptr);

 private:
  struct Entry {
    std::unique_ptr<CSCObject> scope;  // null when the script does not compile
    CCompilerError error;
  };
  std::unordered_map<const CNObject*, Entry> m_entries;
};
