// The object methods that walk the tree and call into objects' scripts.
#include <vector>

#include "methods/method_args.h"
#include "methods/object_methods.h"
#include "objects/object_handles.h"
#include "objects/script_engine.h"
#include "script/object_handle.h"

namespace {

// The script engine that runs the target's script; null when there is none.
CNScript* TargetScript(const CMethodCall& call) {
  CNObjectOwner* owner = call.target.GetOwner();
  return owner ? owner->GetScript() : nullptr;
}

// Copies of the arguments from first on: handlers may assign their reference parameters.
std::vector<CNValue> ArgsFrom(const CMethodCall& call, size_t first) {
  std::vector<CNValue> args(call.Count() > first ? call.Count() - first : 0);
  for (size_t i = 0; i < args.size(); ++i) args[i].Assign(call.Arg(first + i));
  return args;
}

// The handles of object and of every screen object below it, parents before children.
void CollectHandles(CNObject& object, std::vector<uint32_t>& handles) {
  if (const uint32_t handle = HandleOf(&object)) handles.push_back(handle);
  for (int32_t i = 0; i < object.GetChildCount(); ++i) CollectHandles(*object.GetChild(i), handles);
}

}  // namespace

bool GetParentObj(CMethodCall& call) {
  if (CNObject* parent = call.target.GetParent()) call.result.SetObject(HandleOf(parent));
  return true;
}

bool GetThisObj(CMethodCall& call) {
  call.result.SetObject(HandleOf(&call.target));
  return true;
}

bool CallMethod(CMethodCall& call) {
  CNScript* script = TargetScript(call);
  if (call.Count() < 1 || !script) return false;
  const std::u16string name = ArgText(call.Arg(0));
  if (!script->HasFunction(&call.target, name)) return false;
  std::vector<CNValue> args = ArgsFrom(call, 1);
  // A function that fails has reported its error; the caller goes on with the empty value, as
  // after an event handler that failed.
  if (!script->RunFunction(&call.target, name, args.data(), static_cast<uint32_t>(args.size()), &call.result))
    call.result.Clear();
  return true;
}

bool CallEvent(CMethodCall& call) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || call.Count() < 1) return false;
  std::vector<CNValue> args = ArgsFrom(call, 1);
  call.result.SetBool(
      object->FireEvent(ArgText(call.Arg(0)), args.data(), static_cast<uint32_t>(args.size())));
  return true;
}

bool CallCommonEvent(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  std::vector<uint32_t> handles;
  CollectHandles(call.target, handles);
  uint32_t ran = 0;
  for (const uint32_t handle : handles) {
    auto* object = dynamic_cast<CNPObject*>(CNObjectHandles::Find(handle));
    if (!object) continue;
    CNValue args[2];
    args[0].SetString(ArgText(call.Arg(0)));
    if (call.Count() > 1) args[1].Assign(call.Arg(1));
    if (object->FireEvent(u"OnCommonEvent", args, 2)) ++ran;
  }
  call.result.SetNumber(ran);
  return true;
}
