// The global functions of the project's root object.
#include "script/builtin_methods.h"

#include <array>

#include "script/tag_methods.h"

namespace {

// "Trace"(values...): hands every argument to the host's trace output.
bool Trace(CMethodCall& call) {
  for (const CNValue* arg : call.args) call.host.TraceValue(*arg);
  return true;
}

constexpr std::array kRootMethods = {
    MethodEntry{u"SetAliasTag", &SetAliasTag},
    MethodEntry{u"GetAliasTag", &GetAliasTag},
    MethodEntry{u"RefreshTag", &RefreshTag},
    MethodEntry{u"GetTagLastError", &GetTagLastError},
    MethodEntry{u"Trace", &Trace},
};

}  // namespace

const CKVMethodTable& RootMethods() {
  static const CKVMethodTable s_table(kRootMethods);
  return s_table;
}
