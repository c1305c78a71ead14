// The common functions: conversions, texts and values. Each takes exactly one argument and works
// element by element: the result has the shape of the argument.
#include <array>

#include "script/builtin_methods.h"
#include "script/method_args.h"

namespace {

template <void (*Convert)(CNValue& result, uint32_t i, const ValueElement& element)>
bool ElementWise(CMethodCall& call) {
  if (call.Count() != 1) return false;
  ForEachElement(call.result, call.Arg(0), Convert);
  return true;
}

// "StrLen": the length of the element's text in UTF-16 code units.
void TextLength(CNValue& result, uint32_t i, const ValueElement& element) {
  result.SetNumberAt(i, static_cast<double>(ElementText(element).size()));
}

// "CNum": the element as number.
void ToNumber(CNValue& result, uint32_t i, const ValueElement& element) {
  result.SetNumberAt(i, ElementAsNumber(element));
}

// "CStr": the element's display text.
void ToText(CNValue& result, uint32_t i, const ValueElement& element) { result.SetStringAt(i, ElementText(element)); }

// "IsEmpty": true where the element holds no value.
void HoldsNoValue(CNValue& result, uint32_t i, const ValueElement& element) {
  result.SetBoolAt(i, element.kind == VK_NA);
}

constexpr std::array kCommonMethods = {
    MethodEntry{u"StrLen", &ElementWise<&TextLength>},
    MethodEntry{u"CNum", &ElementWise<&ToNumber>},
    MethodEntry{u"CStr", &ElementWise<&ToText>},
    MethodEntry{u"IsEmpty", &ElementWise<&HoldsNoValue>},
};

}  // namespace

const CKVMethodTable& CommonMethods() {
  static const CKVMethodTable s_table(kCommonMethods);
  return s_table;
}
