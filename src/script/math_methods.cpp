// The mathematical functions, reached as methods of the Math object and as global functions.
#include <array>
#include <cmath>

#include "script/builtin_methods.h"
#include "script/method_args.h"

namespace {

// Exactly one argument; every element that holds a value becomes Function of its number,
// elements without value stay so.
template <double (*Function)(double)>
bool ElementWise(CMethodCall& call) {
  if (call.Count() != 1) return false;
  ForEachElement(call.result, call.Arg(0), [](CNValue& result, uint32_t i, const ValueElement& element) {
    if (element.kind != VK_NA) result.SetNumberAt(i, Function(ElementAsNumber(element)));
  });
  return true;
}

double Absolute(double x) { return std::fabs(x); }

constexpr std::array kMathMethods = {
    MethodEntry{u"Abs", &ElementWise<&Absolute>},
};

}  // namespace

const CKVMethodTable& MathMethods() {
  static const CKVMethodTable s_table(kMathMethods);
  return s_table;
}
