#pragma once

#include "objects/value_element.h"

// Equality of elements as the value type compares contents: same kind and equal payload (NaN is
// never equal); elements without value are equal to each other.
bool ElementsEqual(const ValueElement& a, const ValueElement& b);

// A total order for sorting: by kind (no value, bool, number, string, time, object), then by
// payload; NaN sorts after every other number, strings by UTF-16 code units.
bool ElementLess(const ValueElement& a, const ValueElement& b);
