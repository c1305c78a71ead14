#include "browser/form_objects.h"

#include <utility>

#include "objects/pobject.h"

std::vector<CRPtr<CNPObject>> CollectScreenObjects(CNObject& root) {
  std::vector<CRPtr<CNPObject>> objects;
  // Objects still to look into, each with the index of its next child; iterative, so that no
  // depth of nesting can exhaust the stack.
  std::vector<std::pair<CNObject*, int32_t>> open;
  if (auto* object = dynamic_cast<CNPObject*>(&root)) objects.push_back(CRPtr<CNPObject>::Retain(object));
  open.emplace_back(&root, 0);
  while (!open.empty()) {
    auto& [parent, next] = open.back();
    CNObject* child = parent->GetChild(next++);
    if (!child) {
      open.pop_back();
      continue;
    }
    if (auto* object = dynamic_cast<CNPObject*>(child)) objects.push_back(CRPtr<CNPObject>::Retain(object));
    open.emplace_back(child, 0);
  }
  return objects;
}

void InitializeScreenObjects(CNObject& root) {
  const std::vector<CRPtr<CNPObject>> objects = CollectScreenObjects(root);
  for (const CRPtr<CNPObject>& object : objects) object->Initialize();
  for (const CRPtr<CNPObject>& object : objects) object->InitializeDone();
}
