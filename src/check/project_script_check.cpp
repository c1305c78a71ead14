#include "check/project_script_check.h"

#include "objects/object.h"

namespace {

void CheckTree(const CNObject& object, const CNObjectPlace& place, CNNameCheck& check) {
  check.CheckEventScript(object, place);
  check.CheckBinds(object, place);
  for (int32_t i = 0; i < object.GetChildCount(); ++i)
    if (const CNObject* child = object.GetChild(i))
      CheckTree(*child, ChildPlace(object, place, *child), check);
}

}  // namespace

std::vector<CNTagUse> CheckProjectScripts(const CNObject& root, std::vector<CNProjectProblem>& problems) {
  CNNameCheck check(root, problems);
  CheckTree(root, CNObjectPlace{}, check);
  return check.GetTagUses();
}
