// The object methods over the object's rectangle, timers, drag, capture, animations, paint,
// focus, stacking order and tooltip.
#include <algorithm>
#include <vector>

#include "methods/method_args.h"
#include "methods/object_methods.h"
#include "methods/runtime_host.h"
#include "objects/object_handles.h"
#include "script/object_handle.h"

namespace {

// Runs act(object) on the target screen object; the result is true. Fails on other objects.
template <class Act>
bool OnScreenObject(CMethodCall& call, Act&& act) {
  CNPObject* object = TargetScreenObject(call);
  if (!object) return false;
  act(*object);
  call.result.SetBool(true);
  return true;
}

// The rectangle with its edges in order, so that a negative size reads as a positive one.
CNRect Ordered(const CNRect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

bool Overlap(const CNRect& a, const CNRect& b) {
  const CNRect p = Ordered(a);
  const CNRect q = Ordered(b);
  return std::max(p.left, q.left) < std::min(p.right, q.right) &&
         std::max(p.top, q.top) < std::min(p.bottom, q.bottom);
}

bool StartDragMode(CMethodCall& call, CNDragMode mode) {
  return OnScreenObject(call, [mode](CNPObject& object) { object.StartDrag(mode); });
}

// Hands the method to the runtime with the object first and the script's arguments after it;
// false when there is no runtime or it declines (the result is then left empty).
bool AskRuntime(CMethodCall& call, std::u16string_view name, CNPObject& object) {
  IKVRuntime* runtime = call.host.GetRuntime();
  if (!runtime) return false;
  CNValue self;
  self.SetObject(object.GetHandle());
  std::vector<const CNValue*> args{&self};
  args.insert(args.end(), call.args.begin(), call.args.end());
  if (runtime->Request(name, args, call.result)) return true;
  call.result.Clear();
  return false;
}

// The screen objects of the tree object belongs to that hold the focus, but object itself.
std::vector<uint32_t> OtherFocusHolders(CNPObject& object) {
  std::vector<uint32_t> handles;
  std::vector<CNObject*> pending{object.GetRoot()};
  while (!pending.empty()) {
    CNObject* at = pending.back();
    pending.pop_back();
    const auto* screenObject = dynamic_cast<const CNPObject*>(at);
    if (screenObject && screenObject != &object && screenObject->HasState(kStateFocus))
      handles.push_back(screenObject->GetHandle());
    for (int32_t i = 0; i < at->GetChildCount(); ++i) pending.push_back(at->GetChild(i));
  }
  return handles;
}

// Moves the object to the end (front) or the start (back) of its parent's children.
bool Restack(CMethodCall& call, bool toFront) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || call.Count() != 0) return false;
  CNObject* parent = object->GetParent();
  const bool moved =
      parent && parent->MoveChild(object->GetIndexInParent(), toFront ? parent->GetChildCount() : 0);
  if (moved) object->RequestRedraw();
  call.result.SetBool(moved);
  return true;
}

}  // namespace

bool HitTest(CMethodCall& call) {
  const CNPObject* object = TargetScreenObject(call);
  if (!object || call.Count() != 2) return false;
  const CNRect r = Ordered(object->GetRect());
  const int32_t x = ArgInt32(call.Arg(0));
  const int32_t y = ArgInt32(call.Arg(1));
  call.result.SetBool(x >= r.left && x < r.right && y >= r.top && y < r.bottom);
  return true;
}

bool Intersect(CMethodCall& call) {
  const CNPObject* object = TargetScreenObject(call);
  if (!object) return false;
  CNRect other;
  if (call.Count() == 1) {
    const auto* otherObject = dynamic_cast<const CNPObject*>(ArgObject(call.Arg(0)));
    if (!otherObject) return false;
    other = otherObject->GetRect();
  } else if (call.Count() == 4) {
    other = {ArgInt32(call.Arg(0)), ArgInt32(call.Arg(1)), ArgInt32(call.Arg(2)), ArgInt32(call.Arg(3))};
  } else {
    return false;
  }
  call.result.SetBool(Overlap(object->GetRect(), other));
  return true;
}

bool GetAbsoluteRect(CMethodCall& call) {
  const CNPObject* object = TargetScreenObject(call);
  if (!object) return false;
  const CNRect r = object->GetRect();
  const double edges[] = {double(r.left), double(r.top), double(r.right), double(r.bottom)};
  const uint32_t count = 4;
  call.result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) call.result.SetNumberAt(i, edges[i]);
  return true;
}

bool KillAllTimer(CMethodCall& call) {
  return OnScreenObject(call, [](CNPObject& object) { object.KillAllTimers(); });
}

bool StartDrag(CMethodCall& call) {
  return StartDragMode(call, DRAG_XY);
}
bool StartDragX(CMethodCall& call) {
  return StartDragMode(call, DRAG_X);
}
bool StartDragY(CMethodCall& call) {
  return StartDragMode(call, DRAG_Y);
}
bool StopDrag(CMethodCall& call) {
  return OnScreenObject(call, [](CNPObject& object) { object.StopDrag(); });
}

bool IsDrag(CMethodCall& call) {
  const CNPObject* object = TargetScreenObject(call);
  if (!object) return false;
  call.result.SetBool(object->GetDragMode() != DRAG_NONE);
  return true;
}

bool SetMouseCapture(CMethodCall& call) {
  return OnScreenObject(call, [](CNPObject& object) { object.SetHold(true); });
}

bool ReleaseMouseCapture(CMethodCall& call) {
  return OnScreenObject(call, [](CNPObject& object) { object.SetHold(false); });
}

bool Animate(CMethodCall& call) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || !ArgCountIn(call, 3, 5)) return false;
  const CNValue& ends = call.Arg(1);
  std::vector<CNAnimationTarget> targets;
  for (std::u16string& name : ArgNames(call.Arg(0))) targets.push_back({std::move(name), {}});
  if (targets.size() == 1) {
    targets[0].end.Assign(ends);
  } else if (targets.size() == ends.GetCount()) {
    for (uint32_t i = 0; i < targets.size(); ++i) {
      targets[i].end.SetNA();
      targets[i].end.CopyElementAt(0, ends, i);
    }
  } else {
    targets.clear();  // names and ends do not pair up
  }
  int32_t easing = kEasingDefault;
  if (call.Count() > 3) {
    const CNValue& curve = call.Arg(3);
    easing = curve.IsString(0) ? FindEasing(curve.GetStringView(0)) : ArgInt32(curve);
  }
  const std::u16string msg = call.Count() > 4 ? ArgText(call.Arg(4)) : std::u16string();
  call.result.SetBool(!targets.empty() && object->Animate(targets, ArgCount(call.Arg(2)), easing, msg));
  return true;
}

bool StopAnimate(CMethodCall& call) {
  return OnScreenObject(call, [](CNPObject& object) { object.StopAnimate(); });
}

bool Redraw(CMethodCall& call) {
  return OnScreenObject(call, [](CNPObject& object) { object.RequestRedraw(); });
}

bool SetFocus(CMethodCall& call) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || call.Count() != 0) return false;
  if (AskRuntime(call, u"SetFocus", *object)) return true;
  // Handlers may change the tree: the holders are found again by handle, and the object is held.
  const CRPtr<CNPObject> hold = CRPtr<CNPObject>::Retain(object);
  for (const uint32_t handle : OtherFocusHolders(*object))
    if (auto* holder = dynamic_cast<CNPObject*>(CNObjectHandles::Find(handle))) holder->FocusOut();
  if (!object->HasState(kStateFocus)) object->FocusIn();
  call.result.SetBool(true);
  return true;
}

bool LostFocus(CMethodCall& call) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || call.Count() != 0) return false;
  if (AskRuntime(call, u"LostFocus", *object)) return true;
  if (object->HasState(kStateFocus)) object->FocusOut();
  call.result.SetBool(true);
  return true;
}

bool BringToFront(CMethodCall& call) {
  return Restack(call, true);
}

bool BringToBack(CMethodCall& call) {
  return Restack(call, false);
}

bool ShowToolTip(CMethodCall& call) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || !ArgCountIn(call, 1, 2)) return false;
  if (!AskRuntime(call, u"ShowToolTip", *object)) call.result.SetBool(false);
  return true;
}
