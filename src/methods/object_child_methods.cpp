// The object methods that edit the tree: objects made, copied, attached, detached and deleted.
//
// Lifetime: a child is held by its parent's reference. An object a method hands to a script
// while no tree holds it (a copy, a detached child) is kept by the script host for the object
// the method was called on (IKVMethodHost::KeepObject); attaching it again adds the tree's own
// reference.
#include <vector>

#include "methods/method_args.h"
#include "methods/object_methods.h"
#include "objects/object_copy.h"
#include "objects/object_handles.h"
#include "objects/object_registry.h"
#include "script/object_handle.h"

namespace {

// The child an argument names: an object value of one of the target's children, a child's name,
// or a child's index; null for anything else.
CNObject* ChildArg(const CMethodCall& call, const CNValue& arg) {
  if (arg.IsString(0)) return call.target.FindChild(arg.GetStringView(0));
  if (arg.IsObject(0)) {
    CNObject* object = ArgObject(arg);
    return object && object->GetParent() == &call.target ? object : nullptr;
  }
  return arg.IsEmpty() ? nullptr : call.target.GetChild(ArgInt32(arg));
}

// Whether object is candidate itself or lies above it.
bool IsSelfOrAncestor(const CNObject* object, const CNObject* candidate) {
  for (const CNObject* at = candidate; at; at = at->GetParent())
    if (at == object) return true;
  return false;
}

// Stops the screen objects of the subtree that run (timers, animations and binds go) before the
// subtree leaves the form. Handlers may change the tree, so the objects are found by handle.
void TerminateSubtree(CNObject& top) {
  std::vector<uint32_t> handles;
  std::vector<CNObject*> pending{&top};
  while (!pending.empty()) {
    CNObject* object = pending.back();
    pending.pop_back();
    if (const uint32_t handle = HandleOf(object)) handles.push_back(handle);
    for (int32_t i = 0; i < object->GetChildCount(); ++i) pending.push_back(object->GetChild(i));
  }
  for (const uint32_t handle : handles) {
    auto* object = dynamic_cast<CNPObject*>(CNObjectHandles::Find(handle));
    if (!object) continue;
    if (object->IsRunning()) {
      object->Terminate();
    } else {
      object->KillAllTimers();
    }
  }
}

// The object as the answer of a method; it must be a screen object to have a handle.
void AnswerObject(CMethodCall& call, CNObject* object) {
  if (const uint32_t handle = HandleOf(object)) call.result.SetObject(handle);
}

}  // namespace

bool CopyObj(CMethodCall& call) {
  if (!ArgCountIn(call, 0, 1)) return false;
  CNObjectRegistry* registry = call.host.GetObjectRegistry();
  if (!registry || !HandleOf(&call.target)) return true;
  CRPtr<CNObject> copy = CopyObjectTree(call.target, *registry);
  if (!copy) return true;
  if (call.Count() == 1) copy->SetName(ArgText(call.Arg(0)));
  if (call.host.KeepObject(&call.target, copy.Get())) AnswerObject(call, copy.Get());
  return true;
}

bool AttachObj(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  CNObject* object = ArgObject(call.Arg(0));
  // Only a loose object: not in a tree, not the root of a document, and no cycle.
  const bool loose = object && !object->GetParent() && !object->GetOwner() &&
                     !IsSelfOrAncestor(object, &call.target) && !call.target.FindChild(object->GetName());
  if (!loose) {
    call.result.SetBool(false);
    return true;
  }
  object->AddRef();  // the tree's reference, taken over by AttachChild
  call.target.AttachChild(object);
  if (call.Count() == 2) {
    const int32_t index = ArgInt32(call.Arg(1));
    const int32_t last = call.target.GetChildCount() - 1;
    if (index >= 0 && index < last) call.target.MoveChild(last, index);
  }
  if (auto* screenObject = dynamic_cast<CNPObject*>(object)) screenObject->RequestRedraw();
  call.result.SetBool(true);
  return true;
}

bool DetachObj(CMethodCall& call) {
  if (call.Count() != 1) return false;
  CNObject* child = ChildArg(call, call.Arg(0));
  // Kept by the host before the parent lets go, so that it never passes through a count of 0.
  if (!child || !HandleOf(child) || !call.host.KeepObject(&call.target, child)) return true;
  if (auto* screenObject = dynamic_cast<CNPObject*>(child)) screenObject->RequestRedraw();
  call.target.RemoveChild(child);
  AnswerObject(call, child);
  return true;
}

bool AddObj(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  CNObjectRegistry* registry = call.host.GetObjectRegistry();
  const std::u16string clid = ArgText(call.Arg(0));
  std::u16string name = call.Count() == 2 ? ArgText(call.Arg(1)) : std::u16string();
  if (name.empty()) name = call.target.MakeUniqueChildName(clid);
  if (!registry || clid.empty() || call.target.FindChild(name)) return true;
  CNObject* child = registry->Create(clid);
  if (!child) return true;
  child->SetName(name);
  call.target.AttachChild(child);  // the tree takes over the reference Create gave
  if (auto* screenObject = dynamic_cast<CNPObject*>(child)) screenObject->RequestRedraw();
  AnswerObject(call, child);
  return true;
}

bool DelObj(CMethodCall& call) {
  if (call.Count() != 1) return false;
  CNObject* child = ChildArg(call, call.Arg(0));
  if (!child) {
    call.result.SetBool(false);
    return true;
  }
  // Held until the end of the call: OnTerminate handlers may remove it themselves.
  const CRPtr<CNObject> hold = CRPtr<CNObject>::Retain(child);
  if (auto* screenObject = dynamic_cast<CNPObject*>(child)) screenObject->RequestRedraw();
  TerminateSubtree(*child);
  call.target.RemoveChild(child);
  call.result.SetBool(true);
  return true;
}
