#pragma once

#include <string>

#include "values/value.h"

// A value as a line of text for people: a value of one element as its display text, the empty
// value as "#NOTHING#", any other value as its literal text with escapes (c(1,2), c("a","b")).
std::u16string DisplayText(const CNValue& value);
