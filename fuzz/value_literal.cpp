// Value literal parse, with and without escapes, and the text written back: the written text
// must parse again, to the same elements. (Unit dimensions may collapse: a 1 by 1 array prints
// like a list of one; infinities, from numbers too large for a double, have no literal.)
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "values/value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool escape = data[0] & 1;
  std::u16string text;
  text.reserve(size);
  for (size_t i = 1; i < size; ++i) text.push_back(static_cast<char16_t>(data[i]));

  CNValue value;
  value.FromLiteral(text, escape);
  CNValue::IsLiteral(text);
  for (uint32_t i = 0; i < value.GetCount(); ++i)
    if (value.IsNumber(i) && std::isinf(value.GetNumber(i))) return 0;
  CNValue again;
  if (!again.FromLiteral(value.ToLiteral(true), true)) std::abort();
  if (again.GetCount() != value.GetCount()) std::abort();
  // Compare kinds and texts rather than payloads: NaN never equals itself.
  for (uint32_t i = 0; i < value.GetCount(); ++i)
    if (again.GetKind(i) != value.GetKind(i) || again.GetText(i) != value.GetText(i)) std::abort();
  return 0;
}
