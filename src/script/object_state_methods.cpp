// The object methods over the object's rectangle, timers, drag, capture, animations and paint.
#include <algorithm>
#include <vector>

#include "script/method_args.h"
#include "script/object_methods.h"

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
