#include "binds/bind_function_call.h"

#include "script/builtin_tables.h"
#include "support/utf16_text.h"
#include "values/value.h"

namespace {

// A host for binds without one: traces go nowhere, there are no tags.
class CQuietHost : public IKVMethodHost {
 public:
  void TraceValue(const CNValue&) override {}
};

}  // namespace

const MethodEntry* FindBindFunction(std::u16string_view function) {
  if (function.starts_with(u"::")) function.remove_prefix(2);
  const bool math = StartsWithIgnoreCaseAscii(function, u"Math.");
  const CKVStandardTables& tables = CKVBuiltIns::GetStandardTables();
  return FindMethodEntry(math ? tables.math : tables.common, math ? function.substr(5) : function);
}

bool CallBindFunction(CNObject& target, IKVMethodHost* host, std::u16string_view function,
                      std::span<const CNValue* const> args, CNValue& result) {
  const MethodEntry* entry = FindBindFunction(function);
  if (!entry) return false;
  static CQuietHost s_quiet;
  CMethodCall call{target, args, result, host ? *host : s_quiet};
  return InvokeMethod(*entry, call);
}
