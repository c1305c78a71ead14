#pragma once

#include "values/value_element.h"

// A total order for sorting: by kind (no value, bool, number, string, time, object), then by
// payload; NaN sorts after every other number, strings by UTF-16 code units.
bool ElementLess(const ValueElement& a, const ValueElement& b);
