#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "script/method_table.h"
#include "values/value.h"

class CNObject;

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
// An argument of names: one name (the text of element 0), or the texts of a list's elements.
std::vector<std::u16string> ArgNames(const CNValue& arg);
// A file or folder name; "\" separators written by Windows-minded projects become "/".
std::filesystem::path ArgPath(const CNValue& arg);

// Whether the call has from low to high arguments, both included.
inline bool ArgCountIn(const CMethodCall& call, size_t low, size_t high) {
  return call.Count() >= low && call.Count() <= high;
}
// Argument i, or fallback when the call has fewer arguments.
inline const CNValue& ArgOr(const CMethodCall& call, size_t i, const CNValue& fallback) {
  return i < call.Count() ? call.Arg(i) : fallback;
}

// Shapes result like source and sets every element from the element at the same position:
// set(result, i, element).
template <class Set>
void ForEachElement(CNValue& result, const CNValue& source, Set&& set) {
  result.SetDimensions(source.GetDimensionCount(), source.GetDimensionSizes());
  const ValueElement* elements = source.GetElements();
  for (uint32_t i = 0; i < result.GetCount(); ++i) set(result, i, elements[i]);
}

// Element i of other, which repeats cyclically when it has fewer elements; null when other has
// none.
inline const ValueElement* CyclicElement(const CNValue& other, uint32_t i) {
  return other.GetCount() ? &other.GetElements()[i % other.GetCount()] : nullptr;
}

// An element-wise method with from low to high arguments: shapes the result like argument 0
// and sets every element with set(result, i, element). False for a wrong argument count.
template <class Set>
bool EachElement(CMethodCall& call, size_t low, size_t high, Set&& set) {
  if (!ArgCountIn(call, low, high)) return false;
  ForEachElement(call.result, call.Arg(0), set);
  return true;
}

// The most elements a value made by a built-in method may have; a method that would make a
// larger one fails.
inline constexpr uint32_t kMaxMethodElements = 1u << 24;

// The live object an object value names; null for any other value.
CNObject* ArgObject(const CNValue& arg);
