#include "check/project_object_check.h"

#include "check/check_object_names.h"
#include "objects/object.h"

namespace {

// depth: the number of object's ancestors.
void CheckTree(const CNObject& object, size_t depth, CNNameCheck& scripts, CNSiblingNameCheck& names) {
  scripts.CheckEventScript(object);
  scripts.CheckBinds(object);
  names.BeginChildren(object, depth);
  for (int32_t i = 0; i < object.GetChildCount(); ++i) {
    if (const CNObject* child = object.GetChild(i)) {
      names.CheckChild(*child, i, depth);
      CheckTree(*child, depth + 1, scripts, names);
    }
  }
}

}  // namespace

std::vector<CNTagUse> CheckProjectObjects(const CNObject& root, std::vector<CNProjectProblem>& problems,
                                          std::vector<CNProjectProblem>& nameProblems) {
  CNNameCheck scripts(root, problems);
  CNSiblingNameCheck names(nameProblems);
  CheckTree(root, 0, scripts, names);
  return scripts.GetTagUses();
}
