#include "project/form_objects.h"

#include "objects/object_tree.h"
#include "screen/pobject.h"

std::vector<CRPtr<CNPObject>> CollectScreenObjects(CNObject& root) {
  std::vector<CRPtr<CNPObject>> objects;
  WalkObjectTree(root, [&](CNObject& object) {
    if (auto* screen = dynamic_cast<CNPObject*>(&object)) objects.push_back(CRPtr<CNPObject>::Retain(screen));
    return true;
  });
  return objects;
}

void InitializeScreenObjects(CNObject& root) {
  const std::vector<CRPtr<CNPObject>> objects = CollectScreenObjects(root);
  for (const CRPtr<CNPObject>& object : objects) object->Initialize();
  for (const CRPtr<CNPObject>& object : objects) object->InitializeDone();
}
