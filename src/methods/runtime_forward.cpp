#include "methods/runtime_forward.h"

#include "methods/runtime_host.h"
#include "values/value.h"

bool AnswerFailure(const MethodEntry& entry, CNValue& result) {
  switch (entry.failure) {
    case MethodFailure::kStops: return false;
    case MethodFailure::kFalse: result.SetBool(false); return true;
    case MethodFailure::kNothing: result.Clear(); return true;
  }
  return false;
}

bool ForwardToRuntime(const MethodEntry& entry, CMethodCall& call) {
  if (!entry.Accepts(call.Count())) return false;
  IKVRuntime* runtime = call.host.GetRuntime();
  if (runtime && runtime->Request(entry.name, call.args, call.result)) return true;
  call.result.Clear();
  return AnswerFailure(entry, call.result);
}
