#include "check/check_place.h"

#include "controls/form.h"

namespace {

bool IsForm(const CNObject& object) {
  return object.GetClassId() == CNPForm::kClassId;
}

}  // namespace

CNObjectPlace FindObjectPlace(const CNObject& object) {
  std::u16string path;
  for (const CNObject* at = &object; at; at = at->GetParent()) {
    if (IsForm(*at)) return {at->GetName(), path};
    path = path.empty() ? at->GetName() : at->GetName() + u"." + path;
  }
  return {};
}
