#include "browser/project_script_check.h"

#include <string>

#include "binds/object_binder.h"
#include "controls/form.h"
#include "script/parser.h"

namespace {

// Where an object stands: the form that holds it and the names from the form down.
struct Place {
  std::u16string form;
  std::u16string path;
};

void CheckEventScript(const CNObject& object, const Place& place, std::vector<CNProjectProblem>& problems) {
  const std::u16string& text = object.GetEvent();
  if (text.empty()) return;
  CSCObject scope(const_cast<CNObject*>(&object), place.path);
  CKVParser parser;
  if (parser.Parse(text, scope)) return;
  const CCompilerError& error = parser.GetError();
  problems.push_back({place.form, place.path, u"Event", static_cast<int32_t>(error.GetLine()),
                      static_cast<int32_t>(error.GetColumn()), error.GetMessage()});
}

void CheckBinds(const CNObject& object, const Place& place, std::vector<CNProjectProblem>& problems) {
  for (const CNBindSection& section : GetBindSections(object)) {
    CTagParserCompilerError error;
    if (CheckBindText(section.text, error)) continue;
    problems.push_back({place.form, place.path, section.property, static_cast<int32_t>(error.GetLine()),
                        static_cast<int32_t>(error.GetColumn()), error.GetMessage()});
  }
}

void CheckTree(const CNObject& object, const Place& place, std::vector<CNProjectProblem>& problems) {
  CheckEventScript(object, place, problems);
  CheckBinds(object, place, problems);
  const bool isForm = object.GetClassId() == CNPForm::kClassId;
  for (int32_t i = 0; i < object.GetChildCount(); ++i) {
    const CNObject* child = object.GetChild(i);
    if (!child) continue;
    Place inner = place;
    if (child->GetClassId() == CNPForm::kClassId) {
      inner = Place{child->GetName(), {}};
    } else if (!place.form.empty()) {
      inner.path = isForm ? child->GetName() : place.path + u"." + child->GetName();
    }
    CheckTree(*child, inner, problems);
  }
}

}  // namespace

void CheckProjectScripts(const CNObject& root, std::vector<CNProjectProblem>& problems) {
  CheckTree(root, Place{}, problems);
}
