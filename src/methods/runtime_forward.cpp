#include "methods/runtime_forward.h"

#include "methods/runtime_host.h"
#include "values/value.h"

bool ForwardToRuntime(const MethodEntry& entry, CMethodCall& call) {
  if (!entry.Accepts(call.Count())) return false;
  IKVRuntime* runtime = call.host.GetRuntime();
  if (runtime && runtime->Request(entry.name, call.args, call.result)) return true;
  call.result.Clear();
  return AnswerFailure(entry, call.result);
}
