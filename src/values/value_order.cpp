#include "values/value_order.h"

#include <cmath>

bool ElementLess(const ValueElement& a, const ValueElement& b) {
  if (a.kind != b.kind) return a.kind < b.kind;
  switch (a.kind) {
    case VK_BOOL: return a.b < b.b;
    case VK_NUMBER:
      if (std::isnan(a.n) || std::isnan(b.n)) return !std::isnan(a.n) && std::isnan(b.n);
      return a.n < b.n;
    case VK_STRING: return ElementString(a) < ElementString(b);
    case VK_TIME: return a.t < b.t;
    case VK_OBJECT: return a.h < b.h;
    default: return false;
  }
}
