#include "script/bind/bind_function_call.h"

#include "objects/value.h"
#include "script/builtin_methods.h"
#include "support/utf16_text.h"

namespace {

// A host for binds without one: traces go nowhere, there are no tags.
class CQuietHost : public IKVMethodHost {
 public:
  void TraceValue(const CNValue&) override {}
};

}  // namespace

bool CallBindFunction(CNObject& target, IKVMethodHost* host, std::u16string_view function,
                      std::span<const CNValue* const> args, CNValue& result) {
  if (function.starts_with(u"::")) function.remove_prefix(2);
  const bool math = StartsWithIgnoreCaseAscii(function, u"Math.");
  const CKVMethodTable& table = math ? MathMethods() : CommonMethods();
  const int32_t number = table.Find(math ? function.substr(5) : function);
  if (number < 0) return false;
  static CQuietHost s_quiet;
  CMethodCall call{target, args, result, host ? *host : s_quiet};
  return table.GetEntry(number).function(call);
}
