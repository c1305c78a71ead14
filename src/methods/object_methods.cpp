// The methods every object has.
#include "methods/object_methods.h"

#include <array>

#include "methods/builtin_methods.h"
#include "methods/method_args.h"
#include "methods/tag_methods.h"
#include "screen/pobject.h"
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
    MethodEntry{u"GetVal", "The value of a tag, or of each tag of a list of names", &GetTagValue},
    MethodEntry{u"GetValue", "The value of a tag, or of each tag of a list of names (as GetVal)",
                &GetTagValue},
    MethodEntry{u"WriteVal", "Writes a value to a tag", &WriteTagValue},
    MethodEntry{u"SetValue", "Writes a value to a tag (as WriteVal)", &WriteTagValue},
    MethodEntry{u"ReadVal", "Reads tags from the server with a read mode, then answers their values",
                &ReadTagValue},
    MethodEntry{u"AddTag", "Attaches tags to the object's binds", &AddTag},
    MethodEntry{u"DelTag", "Detaches tags from the object's binds", &DelTag},
    MethodEntry{u"ClearAllTag", "Detaches every tag attached to the object", &ClearAllTag},
    MethodEntry{u"ReadRequest", "Asks the server to read tags now", &ReadRequest},
    MethodEntry{u"ReadRefresh", "Delivers the tags' changes now", &TagRefresh},
    MethodEntry{u"ReadRequestRefresh", "Asks the server to read tags, then delivers their changes",
                &ReadRequestRefresh},
    MethodEntry{u"WriteRequest", "Writes values to tags, each element to its tag", &WriteRequest},
    MethodEntry{u"WriteRefresh", "Delivers the tags' changes now (as ReadRefresh)", &TagRefresh},
    MethodEntry{u"WriteRequestRefresh", "Writes values to tags, then delivers their changes",
                &WriteRequestRefresh},
    MethodEntry{u"AddExpression", "Keeps an expression under a number", &AddExpression},
    MethodEntry{u"GetExpressionValue", "The value of the numbered expression", &GetExpressionValue},
    MethodEntry{u"DelExpression", "Removes the numbered expression", &DelExpression},
    MethodEntry{u"DelAllExpression", "Removes every expression", &DelAllExpression},
    MethodEntry{u"HitTest", "Whether a point lies inside the object", &HitTest},
    MethodEntry{u"Intersect", "Whether the object overlaps another object or a rectangle", &Intersect},
    MethodEntry{u"GetChildObj", "A child by index or name", &GetChildObj},
    MethodEntry{u"GetChildObjCount", "The number of children", &GetChildObjCount},
    MethodEntry{u"GetParentObj", "The object's parent", &GetParentObj},
    MethodEntry{u"GetThisObj", "The object itself", &GetThisObj},
    MethodEntry{u"SetTimer", "Starts a timer with an id and an interval", &SetTimer},
    MethodEntry{u"KillTimer", "Stops the timer with that id", &KillTimer},
    MethodEntry{u"KillAllTimer", "Stops every timer of the object", &KillAllTimer},
    MethodEntry{u"CallCommonEvent", "Fires OnCommonEvent on the object and every screen object below it",
                &CallCommonEvent},
    MethodEntry{u"SetProperty", "Sets a property's value", &SetProperty},
    MethodEntry{u"GetProperty", "A property's value", &GetProperty},
    MethodEntry{u"GetTagProperty", "The value of the tag a tag property names", &GetTagProperty},
    MethodEntry{u"SetTagProperty", "Writes a value to the tag a tag property names", &SetTagProperty},
    MethodEntry{u"WriteProperty", "Sets a property and writes it out through its output bind",
                &WriteProperty},
    MethodEntry{u"ReadProperty", "Reads a property in through its input bind and answers it", &ReadProperty},
    MethodEntry{u"GetPropertyName", "The name of the numbered property, or every property name",
                &GetPropertyName},
    MethodEntry{u"CopyProperty", "Copies properties from another object", &CopyProperty},
    MethodEntry{u"CallMethod", "Runs a function of the object's script", &CallMethod},
    MethodEntry{u"CallEvent", "Fires one of the object's events", &CallEvent},
    MethodEntry{u"GetBindScript", "The object's bind text, or one property's bind", &GetBindScript},
    MethodEntry{u"SetBindScript", "Replaces the object's bind text, or one property's bind", &SetBindScript},
    MethodEntry{u"GetEventScript", "The object's event script", &GetEventScript},
    MethodEntry{u"SetEventScript", "Replaces the object's event script", &SetEventScript},
    MethodEntry{u"CopyObj", "A copy of the object with everything below it", &CopyObj},
    MethodEntry{u"AttachObj", "Makes a loose object a child, at the end or at an index", &AttachObj},
    MethodEntry{u"DetachObj", "Takes a child out of the tree and answers it", &DetachObj},
    MethodEntry{u"AddObj", "Makes a child of a class, with a name", &AddObj},
    MethodEntry{u"DelObj", "Deletes a child", &DelObj},
    MethodEntry{u"SetFocus", "Gives the object the input focus", &SetFocus},
    MethodEntry{u"LostFocus", "Takes the input focus from the object", &LostFocus},
    MethodEntry{u"StartDrag", "Starts dragging the object with the mouse", &StartDrag},
    MethodEntry{u"StartDragX", "Starts dragging the object horizontally", &StartDragX},
    MethodEntry{u"StartDragY", "Starts dragging the object vertically", &StartDragY},
    MethodEntry{u"StopDrag", "Stops dragging the object", &StopDrag},
    MethodEntry{u"IsDrag", "Whether the object is being dragged", &IsDrag},
    MethodEntry{u"BringToFront", "Moves the object in front of its siblings", &BringToFront},
    MethodEntry{u"BringToBack", "Moves the object behind its siblings", &BringToBack},
    MethodEntry{u"Animate", "Animates properties to end values over a time with an easing curve", &Animate},
    MethodEntry{u"StopAnimate", "Stops the object's animations", &StopAnimate},
    MethodEntry{u"Redraw", "Redraws the object", &Redraw},
    MethodEntry{u"ShowToolTip", "Shows a tooltip text at the object", &ShowToolTip},
    MethodEntry{u"GetAbsoluteRect", "The object's rectangle: left, top, right, bottom", &GetAbsoluteRect},
    MethodEntry{u"SetMouseCapture", "Sends every mouse event to the object until released", &SetMouseCapture},
    MethodEntry{u"ReleaseMouseCapture", "Ends the mouse capture", &ReleaseMouseCapture},
};

}  // namespace

const CKVMethodTable& ObjectMethods() {
  static const CKVMethodTable s_table(kObjectMethods);
  return s_table;
}
