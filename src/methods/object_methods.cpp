// The methods every object has.
#include "methods/object_methods.h"

#include <array>

#include "controls/pobject.h"
#include "methods/builtin_methods.h"
#include "methods/method_args.h"
#include "methods/tag_methods.h"
#include "script/object_handle.h"

namespace {

// "GetProperty"(name): the property's value; the empty value when the object has no such
// property.
bool GetProperty(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.target.GetProperty(ArgText(call.Arg(0)), call.result);
  return true;
}

// "SetProperty"(name, value): true when the object has the property and took the value.
bool SetProperty(CMethodCall& call) {
  if (call.Count() != 2) return false;
  call.result.SetBool(call.target.SetProperty(ArgText(call.Arg(0)), call.Arg(1)) != 0);
  return true;
}

// "GetChildObj"(index or name): the child as an object value; the empty value when there is
// no such child.
bool GetChildObj(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const CNValue& which = call.Arg(0);
  CNObject* child = which.IsString(0) ? call.target.FindChild(which.GetStringView(0))
                                      : call.target.GetChild(ArgInt32(which));
  if (child) call.result.SetObject(HandleOf(child));
  return true;
}

// "GetChildObjCount"(): the number of children.
bool GetChildObjCount(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetNumber(call.target.GetChildCount());
  return true;
}

// "SetTimer"(id, interval[, count[, catch-up factor[, lateness cap]]]): false when the object
// has a timer with that id already.
bool SetTimer(CMethodCall& call) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || call.Count() < 2) return false;
  const size_t n = call.Count();
  const uint32_t count = n > 2 ? static_cast<uint32_t>(ArgInt32(call.Arg(2))) : kTimerUnlimited;
  const double catchUp = n > 3 ? call.Arg(3).GetNumber(0) : 0.0;
  const uint32_t cap = n > 4 ? ArgCount(call.Arg(4)) : kTimerDefaultLatenessCap;
  call.result.SetBool(object->SetTimer(ArgUInt16(call.Arg(0)), ArgCount(call.Arg(1)), count, catchUp, cap));
  return true;
}

// "KillTimer"(id): false when the object has no timer with that id.
bool KillTimer(CMethodCall& call) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || call.Count() != 1) return false;
  call.result.SetBool(object->KillTimer(ArgUInt16(call.Arg(0))));
  return true;
}

// In the order of the list of object methods; each name is its own entry.
constexpr std::array kObjectMethods = {
    MethodEntry{u"GetVal", &GetTagValue},
    MethodEntry{u"GetValue", &GetTagValue},
    MethodEntry{u"WriteVal", &WriteTagValue},
    MethodEntry{u"SetValue", &WriteTagValue},
    MethodEntry{u"ReadVal", &ReadTagValue},
    MethodEntry{u"AddTag", &AddTag},
    MethodEntry{u"DelTag", &DelTag},
    MethodEntry{u"ClearAllTag", &ClearAllTag},
    MethodEntry{u"ReadRequest", &ReadRequest},
    MethodEntry{u"ReadRefresh", &TagRefresh},
    MethodEntry{u"ReadRequestRefresh", &ReadRequestRefresh},
    MethodEntry{u"WriteRequest", &WriteRequest},
    MethodEntry{u"WriteRefresh", &TagRefresh},
    MethodEntry{u"WriteRequestRefresh", &WriteRequestRefresh},
    MethodEntry{u"AddExpression", &AddExpression},
    MethodEntry{u"GetExpressionValue", &GetExpressionValue},
    MethodEntry{u"DelExpression", &DelExpression},
    MethodEntry{u"DelAllExpression", &DelAllExpression},
    MethodEntry{u"HitTest", &HitTest},
    MethodEntry{u"Intersect", &Intersect},
    MethodEntry{u"GetChildObj", &GetChildObj},
    MethodEntry{u"GetChildObjCount", &GetChildObjCount},
    MethodEntry{u"GetParentObj", &GetParentObj},
    MethodEntry{u"GetThisObj", &GetThisObj},
    MethodEntry{u"SetTimer", &SetTimer},
    MethodEntry{u"KillTimer", &KillTimer},
    MethodEntry{u"KillAllTimer", &KillAllTimer},
    MethodEntry{u"CallCommonEvent", &CallCommonEvent},
    MethodEntry{u"SetProperty", &SetProperty},
    MethodEntry{u"GetProperty", &GetProperty},
    MethodEntry{u"GetTagProperty", &GetTagProperty},
    MethodEntry{u"SetTagProperty", &SetTagProperty},
    MethodEntry{u"WriteProperty", &WriteProperty},
    MethodEntry{u"ReadProperty", &ReadProperty},
    MethodEntry{u"GetPropertyName", &GetPropertyName},
    MethodEntry{u"CopyProperty", &CopyProperty},
    MethodEntry{u"CallMethod", &CallMethod},
    MethodEntry{u"CallEvent", &CallEvent},
    MethodEntry{u"GetBindScript", &GetBindScript},
    MethodEntry{u"SetBindScript", &SetBindScript},
    MethodEntry{u"GetEventScript", &GetEventScript},
    MethodEntry{u"SetEventScript", &SetEventScript},
    MethodEntry{u"CopyObj", &CopyObj},
    MethodEntry{u"AttachObj", &AttachObj},
    MethodEntry{u"DetachObj", &DetachObj},
    MethodEntry{u"AddObj", &AddObj},
    MethodEntry{u"DelObj", &DelObj},
    MethodEntry{u"SetFocus", &SetFocus},
    MethodEntry{u"LostFocus", &LostFocus},
    MethodEntry{u"StartDrag", &StartDrag},
    MethodEntry{u"StartDragX", &StartDragX},
    MethodEntry{u"StartDragY", &StartDragY},
    MethodEntry{u"StopDrag", &StopDrag},
    MethodEntry{u"IsDrag", &IsDrag},
    MethodEntry{u"BringToFront", &BringToFront},
    MethodEntry{u"BringToBack", &BringToBack},
    MethodEntry{u"Animate", &Animate},
    MethodEntry{u"StopAnimate", &StopAnimate},
    MethodEntry{u"Redraw", &Redraw},
    MethodEntry{u"ShowToolTip", &ShowToolTip},
    MethodEntry{u"GetAbsoluteRect", &GetAbsoluteRect},
    MethodEntry{u"SetMouseCapture", &SetMouseCapture},
    MethodEntry{u"ReleaseMouseCapture", &ReleaseMouseCapture},
};

}  // namespace

const CKVMethodTable& ObjectMethods() {
  static const CKVMethodTable s_table(kObjectMethods);
  return s_table;
}
