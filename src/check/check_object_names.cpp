#include "check/check_object_names.h"

#include <string_view>
#include <unordered_set>

#include "check/check_place.h"
#include "objects/object.h"

namespace {

void CheckChildren(const CNObject& parent, const CNObjectPlace& place,
                   std::vector<CNProjectProblem>& problems) {
  std::unordered_set<std::u16string_view> names;
  for (int32_t i = 0; i < parent.GetChildCount(); ++i) {
    const CNObject* child = parent.GetChild(i);
    if (!child) continue;
    const CNObjectPlace inner = ChildPlace(parent, place, *child);
    const std::u16string& name = child->GetName();
    if (!name.empty() && !names.insert(name).second)
      problems.push_back({"duplicate-name", CNProblemSeverity::kWarning, inner.form, inner.path, u"Name", 0,
                          0, u"an earlier object of the same parent has this name; names reach that one"});
    CheckChildren(*child, inner, problems);
  }
}

}  // namespace

void CheckObjectNames(const CNObject& root, std::vector<CNProjectProblem>& problems) {
  CheckChildren(root, CNObjectPlace{}, problems);
}
