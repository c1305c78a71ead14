#pragma once

#include <cstdint>
#include <string>

#include "objects/value.h"

// How built-in methods read their arguments. A number used as a whole number is truncated
// toward zero; one outside the range of what it stands for counts as 0.

// A length, a position or a part of a date: -2,147,483,648 to 2,147,483,647.
int32_t ArgInt32(const CNValue& arg);
// A count: 0 to 4,294,967,295.
uint32_t ArgCount(const CNValue& arg);
// A 16-bit number: 0 to 65,535.
uint16_t ArgUInt16(const CNValue& arg);
// The display text of element 0; empty for the empty value.
std::u16string ArgText(const CNValue& arg);

// Shapes result like source and sets every element from the element at the same position:
// set(result, i, element).
template <class Set>
void ForEachElement(CNValue& result, const CNValue& source, Set&& set) {
  result.SetDimensions(source.GetDimensionCount(), source.GetDimensionSizes());
  const ValueElement* elements = source.GetElements();
  for (uint32_t i = 0; i < result.GetCount(); ++i) set(result, i, elements[i]);
}
