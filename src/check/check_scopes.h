#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "script/compiler_error.h"
#include "script/statements_object.h"

class CNObject;

// The compiled event scripts of a project's objects: the checker asks for a script both to check
// it and to look up the functions other scripts call in it. What it asks (the error, the
// functions, the declared names) depends on the text alone, so each distinct text is compiled
// once, when first asked for, and copies of an object share it. The objects must stay as they
// are while this lives: it keeps views of their texts.
class CNScriptScopes {
 public:
  // object's compiled script; null when it has none or it does not compile (error then points
  // to why, when asked for; valid as long as this object).
  const CSCObject* Get(const CNObject& object, const CCompilerError** error = nullptr);

 private:
  struct Entry {
    std::unique_ptr<CSCObject> scope;     // null when the script does not compile
    std::optional<CCompilerError> error;  // why it does not compile
  };
  const Entry& Compile(const CNObject& object);

  std::unordered_map<std::u16string_view, Entry> m_byText;
  std::unordered_map<const CNObject*, const Entry*> m_byObject;  // the objects that have a script
};
