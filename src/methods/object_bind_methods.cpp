// The object methods that reach the object's binds and the tags attached to it.
#include <algorithm>
#include <string>
#include <vector>

#include "binds/object_binder.h"
#include "methods/method_args.h"
#include "methods/object_methods.h"
#include "tags/tag_server.h"

namespace {

// The object's binds; made (with the host's tags) when create is set and it has none.
CNPObjectBinds* BindsOf(CMethodCall& call, bool create) {
  CNPObject* object = TargetScreenObject(call);
  if (!object) return nullptr;
  CNBindLinks& links = object->GetBindLinks();
  if (auto* binds = dynamic_cast<CNPObjectBinds*>(links.GetBinds())) return binds;
  if (!create) return nullptr;
  auto binds = CRPtr<CNPObjectBinds>::Make(*object, CNBindEnvironment{call.host.GetTagServer(), &call.host});
  links.SetBinds(binds);
  return binds.Get();
}

// A running object's binds take the new bind text of the properties named (all when empty).
void FollowBindText(CMethodCall& call, std::u16string_view property) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || !object->IsRunning()) return;
  CNPObjectBinds* binds = BindsOf(call, true);
  const std::vector<CNBindSection> sections = GetBindSections(*object);
  for (uint32_t i = 0; i < object->GetPropertyCount(); ++i) {
    const std::u16string_view name = object->GetPropertyName(i);
    if (!property.empty() && name != property) continue;
    const auto section = std::find_if(sections.begin(), sections.end(),
                                      [&](const CNBindSection& s) { return s.property == name; });
    if (section == sections.end()) {
      binds->Unbind(name);
    } else if (!binds->Bind(name, section->text)) {
      binds->Unbind(name);
    }
  }
}

// Runs add for every name of every argument; true when each one succeeded.
template <class Each>
bool ForEachName(CMethodCall& call, Each&& each) {
  bool all = true;
  for (size_t i = 0; i < call.Count(); ++i)
    for (const std::u16string& name : ArgNames(call.Arg(i))) all = each(name) && all;
  return all;
}

// The tag name a tag property holds; empty when the property is no tag property (or, for
// writing, an input-only one).
std::u16string TagPropertyName(const CNObject& object, std::u16string_view property, bool forWriting) {
  const PropertyInfo* info = object.FindPropertyInfo(property);
  if (!info || info->type < PT_TAG_IN || info->type > PT_TAG_INOUT) return {};
  if (forWriting && info->type == PT_TAG_IN) return {};
  CNValue name;
  object.GetProperty(property, name);
  return name.GetTextEmptyNA(0);
}

}  // namespace

bool SetBindScript(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  if (call.Count() == 1) {
    call.target.SetBind(ArgText(call.Arg(0)));
    FollowBindText(call, {});
    call.result.SetBool(true);
    return true;
  }
  const std::u16string property = ArgText(call.Arg(0));
  const bool known = call.target.FindPropertyIndex(property) >= 0;
  if (known) {
    call.target.SetBindSection(property, ArgText(call.Arg(1)));
    FollowBindText(call, property);
  }
  call.result.SetBool(known);
  return true;
}

bool AddTag(CMethodCall& call) {
  CNPObjectBinds* binds = call.Count() > 0 ? BindsOf(call, true) : nullptr;
  if (!binds) return false;
  call.result.SetBool(ForEachName(call, [&](const std::u16string& name) { return binds->AddTag(name); }));
  return true;
}

bool DelTag(CMethodCall& call) {
  if (call.Count() == 0 || !TargetScreenObject(call)) return false;
  CNPObjectBinds* binds = BindsOf(call, false);
  call.result.SetBool(ForEachName(call, [&](const std::u16string& name) { return binds && binds->DelTag(name); }));
  return true;
}

bool ClearAllTag(CMethodCall& call) {
  if (!TargetScreenObject(call)) return false;
  if (CNPObjectBinds* binds = BindsOf(call, false)) binds->ClearTags();
  call.result.SetBool(true);
  return true;
}

bool GetTagProperty(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const std::u16string name = TagPropertyName(call.target, ArgText(call.Arg(0)), false);
  CNPTagServer* tags = call.host.GetTagServer();
  CNPTag* tag = tags && !name.empty() ? tags->GetTag(name, 0, nullptr) : nullptr;
  if (!tag) return true;
  if (const CRPtr<CNValue> value = tags->GetValue(tag, 0, nullptr)) call.result.Assign(*value);
  tags->ReleaseTag(tag, nullptr);
  return true;
}

bool SetTagProperty(CMethodCall& call) {
  if (call.Count() != 2) return false;
  const std::u16string name = TagPropertyName(call.target, ArgText(call.Arg(0)), true);
  CNPTagServer* tags = call.host.GetTagServer();
  CNPTag* tag = tags && !name.empty() ? tags->GetTag(name, 0, nullptr) : nullptr;
  call.result.SetBool(tag && tags->SetValue(tag, call.Arg(1)));
  if (tag) tags->ReleaseTag(tag, nullptr);
  return true;
}

bool WriteProperty(CMethodCall& call) {
  if (call.Count() != 2 || !TargetScreenObject(call)) return false;
  const std::u16string property = ArgText(call.Arg(0));
  bool wrote = false;
  if (call.target.SetProperty(property, call.Arg(1)))
    if (CNPObjectBinds* binds = BindsOf(call, false)) wrote = binds->WriteOutput(property);
  call.result.SetBool(wrote);
  return true;
}

bool ReadProperty(CMethodCall& call) {
  if (call.Count() != 1 || !TargetScreenObject(call)) return false;
  const std::u16string property = ArgText(call.Arg(0));
  if (CNPObjectBinds* binds = BindsOf(call, false)) binds->ReadInput(property);
  call.target.GetProperty(property, call.result);
  return true;
}
