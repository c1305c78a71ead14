// The global functions of the project's root object.
#include "script/builtin_methods.h"

#include <array>

namespace {

// "Trace"(values...): hands every argument to the host's trace output.
bool Trace(CMethodCall& call) {
  for (const CNValue* arg : call.args) call.host.TraceValue(*arg);
  return true;
}

constexpr std::array kRootMethods = {
    MethodEntry{u"Trace", &Trace},
};

}  // namespace

const CKVMethodTable& RootMethods() {
  static const CKVMethodTable s_table(kRootMethods);
  return s_table;
}
