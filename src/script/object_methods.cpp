// The methods every object has.
#include <array>

#include "objects/pobject.h"
#include "script/builtin_methods.h"
#include "script/method_args.h"
#include "script/object_handle.h"
#include "script/tag_methods.h"

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
  auto* object = dynamic_cast<CNPObject*>(&call.target);
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
  auto* object = dynamic_cast<CNPObject*>(&call.target);
  if (!object || call.Count() != 1) return false;
  call.result.SetBool(object->KillTimer(ArgUInt16(call.Arg(0))));
  return true;
}

constexpr std::array kObjectMethods = {
    MethodEntry{u"GetChildObj", &GetChildObj}, MethodEntry{u"GetChildObjCount", &GetChildObjCount},
    MethodEntry{u"SetTimer", &SetTimer},       MethodEntry{u"KillTimer", &KillTimer},
    MethodEntry{u"SetProperty", &SetProperty}, MethodEntry{u"GetProperty", &GetProperty},
    MethodEntry{u"GetVal", &GetTagValue},      MethodEntry{u"GetValue", &GetTagValue},
    MethodEntry{u"WriteVal", &WriteTagValue},  MethodEntry{u"SetValue", &WriteTagValue},
};

}  // namespace

const CKVMethodTable& ObjectMethods() {
  static const CKVMethodTable s_table(kObjectMethods);
  return s_table;
}
