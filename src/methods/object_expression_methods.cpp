// The object methods over the object's expressions.
#include "methods/method_args.h"
#include "methods/object_methods.h"

namespace {

// Runs act(expressions) on the target screen object's expressions when the call has from low to
// high arguments; fails otherwise.
template <class Act>
bool OnExpressions(CMethodCall& call, size_t low, size_t high, Act&& act) {
  CNPObject* object = TargetScreenObject(call);
  if (!object || !ArgCountIn(call, low, high)) return false;
  act(*object, object->GetExpressions());
  return true;
}

}  // namespace

bool AddExpression(CMethodCall& call) {
  return OnExpressions(call, 2, 2, [&](CNPObject&, CNObjectExpressions& expressions) {
    expressions.Add(ArgCount(call.Arg(0)), ArgText(call.Arg(1)));
    call.result.SetBool(true);
  });
}

bool GetExpressionValue(CMethodCall& call) {
  return OnExpressions(call, 1, 1, [&](CNPObject& object, CNObjectExpressions& expressions) {
    CNValue value;
    if (expressions.Evaluate(object, ArgCount(call.Arg(0)), value)) call.result.Assign(value);
  });
}

bool DelExpression(CMethodCall& call) {
  return OnExpressions(call, 1, 1, [&](CNPObject&, CNObjectExpressions& expressions) {
    call.result.SetBool(expressions.Delete(ArgCount(call.Arg(0))));
  });
}

bool DelAllExpression(CMethodCall& call) {
  return OnExpressions(call, 0, SIZE_MAX, [&](CNPObject&, CNObjectExpressions& expressions) {
    expressions.DeleteAll();
    call.result.SetBool(true);
  });
}
