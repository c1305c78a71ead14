#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_scopes.h"
#include "check/project_check.h"
#include "script/builtin_tables.h"

class CNObject;

// A tag name a project uses and where it is used first.
struct CNTagUse {
  std::u16string tag;
  CNProjectProblem place;  // code and message empty
};

// Checks the names the event and bind scripts of a project use: handlers of events the
// object's class has, binds of properties it has, functions that exist, forms and frame sets
// the project has; and collects the tag names they use. What cannot be resolved without running the
// project (a name inside a with block, an object held by a variable) is taken on trust.
class CNNameCheck {
 public:
  CNNameCheck(const CNObject& root, std::vector<CNProjectProblem>& problems)
      : m_root(root), m_problems(problems) {}

  // The event script of object: compile errors, then the names.
  void CheckEventScript(const CNObject& object);
  // The bind texts of object: properties, compile errors, functions and tags.
  void CheckBinds(const CNObject& object);

  // Every tag name used, each once, in the order first met.
  const std::vector<CNTagUse>& GetTagUses() const { return m_tags; }

 private:
  enum Found { kNone, kScript, kBuiltIn };
  // Whether object has a function of that name, in its script or (else) among its built-in methods.
  Found FindFunction(const CNObject& object, std::u16string_view name);
  // The object a call names before its method's name; null when that is not known statically.
  const CNObject* CallTarget(const CNObject& owner, std::u16string_view written, std::u16string& method);
  // What a call in an event script reaches.
  struct Call {
    const CNObject* target;  // the object whose function it calls; null when none has it
    Found found;
    std::u16string method;
    bool known;  // false: it cannot be told without running the project
  };
  Call ResolveCall(const CNObject& owner, const CSCObject& scope, bool inWith, std::u16string_view written);

  // A problem of object's member (its place found only now).
  void Add(std::string_view code, const CNObject& object, std::u16string_view member, int32_t line,
           int32_t column, std::u16string message);
  void UseTag(std::u16string_view tag, const CNObject& object, std::u16string_view member, int32_t line,
              int32_t column);
  void UseForm(std::u16string_view form, const CNObject& object, std::u16string_view member, int32_t line,
               int32_t column);
  void UseFrameset(std::u16string_view frameset, const CNObject& object, std::u16string_view member,
                   int32_t line, int32_t column);

  const CNObject& m_root;
  std::vector<CNProjectProblem>& m_problems;
  CNScriptScopes m_scopes;
  CKVBuiltIns m_builtIns;
  std::vector<CNTagUse> m_tags;
  std::optional<std::vector<std::u16string>> m_framesets;  // the project's, read when first needed
};
