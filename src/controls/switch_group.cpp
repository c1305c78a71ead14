#include "controls/switch_group.h"

#include <string>
#include <utility>
#include <vector>

#include "controls/form.h"
#include "objects/object_tree.h"
#include "screen/pobject.h"

namespace {

constexpr std::u16string_view kGroupObject = u"GroupObject";
constexpr std::u16string_view kGroupThisValue = u"GroupThisValue";
constexpr std::u16string_view kSwitchValue = u"SwitchValue";
constexpr std::u16string_view kOnGroupValueChanged = u"OnGroupValueChanged";

std::u16string ReadText(const CNObject& object, std::u16string_view name) {
  CNValue value;
  return object.GetProperty(name, value) ? value.GetTextEmptyNA(0) : std::u16string();
}

// The form the object lies in; the root of its tree when it lies in none.
CNObject& FormOf(const CNObject& object) {
  auto* o = const_cast<CNObject*>(&object);
  while (o->GetParent() && o->GetClassId() != CNPForm::kClassId) o = o->GetParent();
  return *o;
}

}  // namespace

CNObject* CNSwitchGroup::FindGroupObject(const CNObject& member) {
  const std::u16string name = ReadText(member, kGroupObject);
  if (name.empty()) return nullptr;
  if (CNObject* parent = member.GetParent())
    if (CNObject* sibling = parent->FindChild(name)) return sibling;
  return WalkObjectTree(FormOf(member), [&](const CNObject& o) { return o.GetName() != name; });
}

void CNSwitchGroup::Select(CNObject& member) {
  CNObject* found = FindGroupObject(member);
  if (!found) return;
  // Handlers run from here on may take the group object out of its tree.
  const CRPtr<CNObject> group = CRPtr<CNObject>::Retain(found);
  CNValue value;
  value.SetNumber(0);
  member.GetProperty(kGroupThisValue, value);
  group->SetProperty(kGroupValue, value);
  if (auto* object = dynamic_cast<CNPObject*>(group.Get())) object->FireEvent(kOnGroupValueChanged, &value, 1);
}

void CNSwitchGroup::FollowGroupValue(CNObject& group) {
  CNValue selected;
  if (group.GetName().empty() || !group.GetProperty(kGroupValue, selected)) return;
  // Collected first: what the members do when their value changes may change the tree.
  std::vector<CRPtr<CNObject>> members;
  WalkObjectTree(FormOf(group), [&](CNObject& o) {
    if (ReadText(o, kGroupObject) == group.GetName() && FindGroupObject(o) == &group)
      members.push_back(CRPtr<CNObject>::Retain(&o));
    return true;
  });
  for (const CRPtr<CNObject>& member : members) {
    CNValue own;
    CNValue current;
    if (!member->GetProperty(kGroupThisValue, own) || !member->GetProperty(kSwitchValue, current)) continue;
    CNValue on;
    on.SetBool(own.GetNumber(0) == selected.GetNumber(0));
    if (current.GetBool(0) != on.GetBool(0)) member->SetProperty(kSwitchValue, on);
  }
}
