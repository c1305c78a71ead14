// The global functions of the project's root object: the tag functions here, the others in
// root_*_methods.cpp and dialog_methods.cpp.
#include "methods/root_methods.h"

#include <array>
#include <vector>

#include "methods/builtin_methods.h"

#include "methods/tag_methods.h"

namespace {

// "Trace"(values...): hands every argument to the host's trace output.
bool Trace(CMethodCall& call) {
  for (const CNValue* arg : call.args) call.host.TraceValue(*arg);
  return true;
}

constexpr std::array kRootTagMethods = {
    MethodEntry{u"SetAliasTag", "Points an alias tag at a tag", &SetAliasTag},
    MethodEntry{u"GetAliasTag", "The tag an alias tag points at", &GetAliasTag},
    MethodEntry{u"RefreshTag", "Reads every tag, or the named ones, from the server again", &RefreshTag},
    MethodEntry{u"GetTagLastError", "Why the latest tag access failed", &GetTagLastError},
    MethodEntry{u"Trace", "Hands every argument to the trace output", &Trace},
};

}  // namespace

std::span<const MethodEntry> RootTagMethods() {
  return kRootTagMethods;
}

const CKVMethodTable& RootMethods() {
  static const std::vector<MethodEntry> s_entries = [] {
    std::vector<MethodEntry> entries;
    for (std::span<const MethodEntry> part :
         {RootTagMethods(), RootDataMethods(), RootRuntimeMethods(), RootLoginMethods(), DialogMethods()})
      entries.insert(entries.end(), part.begin(), part.end());
    return entries;
  }();
  static const CKVMethodTable s_table(s_entries);
  return s_table;
}
