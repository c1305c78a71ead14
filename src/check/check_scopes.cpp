#include "check/check_scopes.h"

#include "objects/object.h"
#include "script/parser.h"

const CNScriptScopes::Entry& CNScriptScopes::Compile(const CNObject& object) {
  auto [at, added] = m_byText.try_emplace(object.GetEvent());
  Entry& entry = at->second;
  if (added) {
    // Scoped to the first object with the text: the checker asks nothing that depends on it.
    auto scope = std::make_unique<CSCObject>(const_cast<CNObject*>(&object), object.GetName());
    CKVParser parser;
    if (parser.Parse(object.GetEvent(), *scope)) {
      entry.scope = std::move(scope);
    } else if (parser.GetError().IsError()) {
      entry.error = parser.GetError();
    }
  }
  return entry;
}

const CSCObject* CNScriptScopes::Get(const CNObject& object, const CCompilerError** error) {
  if (error) *error = nullptr;
  if (object.GetEvent().empty()) return nullptr;  // most objects: nothing is kept for them
  auto [at, added] = m_byObject.try_emplace(&object, nullptr);
  if (added) at->second = &Compile(object);
  const Entry& entry = *at->second;
  if (error && entry.error) *error = &*entry.error;
  return entry.scope.get();
}
