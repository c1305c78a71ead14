#include "check/check_scopes.h"

#include "objects/object.h"
#include "script/parser.h"

const CSCObject* CNScriptScopes::Get(const CNObject& object, CCompilerError* error) {
  auto [at, added] = m_entries.try_emplace(&object);
  Entry& entry = at->second;
  if (added && !object.GetEvent().empty()) {
    auto scope = std::make_unique<CSCObject>(const_cast<CNObject*>(&object), object.GetName());
    CKVParser parser;
    if (parser.Parse(object.GetEvent(), *scope)) {
      entry.scope = std::move(scope);
    } else {
      entry.error = parser.GetError();
    }
  }
  if (error) *error = entry.error;
  return entry.scope.get();
}
