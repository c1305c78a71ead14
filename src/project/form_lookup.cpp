#include "project/form_lookup.h"

#include <utility>
#include <vector>

#include "controls/form.h"
#include "controls/form_folder.h"

CNObject* FindFormByName(const CNObject& root, std::u16string_view name) {
  // Folders still being looked into, each with the index of its next child.
  std::vector<std::pair<const CNObject*, int32_t>> open{{&root, 0}};
  while (!open.empty()) {
    auto& [folder, next] = open.back();
    CNObject* child = folder->GetChild(next++);
    if (!child) {
      open.pop_back();
    } else if (child->GetClassId() == CNPForm::kClassId) {
      if (child->GetName() == name) return child;
    } else if (child->GetClassId() == CNPFormFolder::kClassId) {
      open.emplace_back(child, 0);
    }
  }
  return nullptr;
}
