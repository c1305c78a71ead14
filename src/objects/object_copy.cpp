#include "objects/object_copy.h"

#include <memory>

#include "objects/object_registry.h"

CRPtr<CNObject> CopyObjectTree(const CNObject& source, CNObjectRegistry& registry) {
  CRPtr<CNObject> copy = CRPtr<CNObject>::Adopt(registry.Create(source.GetClassId()));
  if (!copy) return nullptr;
  copy->SetName(source.GetName());
  // Custom properties first, with their values, so that the class table walk below finds them
  // declared.
  for (uint32_t i = 0; i < source.GetCustomPropertyCount(); ++i)
    copy->AddCustomProperty(std::make_unique<CNCustomProperty>(*source.GetCustomProperty(i)));
  const uint32_t classCount = source.GetPropertyCount() - source.GetCustomPropertyCount();
  for (uint32_t i = 0; i < classCount; ++i) {
    const PropertyInfo* info = source.GetPropertyInfo(i);
    if (!info || !info->persisted || info->name == u"Name") continue;
    CNValue value;
    if (source.GetProperty(info->name, value) && !value.IsEmpty()) copy->SetProperty(info->name, value);
  }
  copy->SetBind(source.GetBind());
  copy->SetEvent(source.GetEvent());
  for (int32_t i = 0; i < source.GetChildCount(); ++i) {
    CRPtr<CNObject> child = CopyObjectTree(*source.GetChild(i), registry);
    if (!child) return nullptr;
    copy->AddChild(child.Detach());
  }
  return copy;
}
