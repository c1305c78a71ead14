#include "script/builtin_methods.h"

#include "objects/object.h"
#include "script/math_object.h"

namespace {

const MethodEntry* FindIn(const CKVMethodTable& table, std::u16string_view name) {
  const int32_t number = table.Find(name);
  return number < 0 ? nullptr : &table.GetEntry(number);
}

}  // namespace

const MethodEntry* CKVBuiltIns::Find(const CNObject& target, std::u16string_view name) const {
  const MethodEntry* found = nullptr;
  if (!target.GetParent()) {
    for (auto table = m_GlobalTables.rbegin(); !found && table != m_GlobalTables.rend(); ++table)
      found = FindIn(**table, name);
    if (!found) found = FindIn(RootMethods(), name);
    if (!found) found = FindIn(CommonMethods(), name);
    if (!found) found = FindIn(MathMethods(), name);
  } else if (target.GetClassId() == CNPMath::kClassId) {
    found = FindIn(MathMethods(), name);
  }
  return found ? found : FindIn(ObjectMethods(), name);
}
