#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "graphs/plotter.h"
#include "methods/method_args.h"
#include "script/method_table.h"

// What the graph methods share. A method called with the wrong number of arguments does
// nothing and leaves its result untouched; one given a group, pen or line number outside 1 to
// the count answers false.

inline CNPPlotter* TargetPlotter(const CMethodCall& call) {
  return dynamic_cast<CNPPlotter*>(&call.target);
}

// A group, pen, line or probe number: truncated; not a number counts as 0.
inline int64_t ArgNumber(const CNValue& arg) {
  const double number = arg.GetNumber(0);
  if (!std::isfinite(number)) return 0;
  return number <= -9.0e18 ? INT64_MIN : number >= 9.0e18 ? INT64_MAX : static_cast<int64_t>(number);
}

// Sets the result to a list of the values.
void SetResultList(CMethodCall& call, std::span<const CNValue> values);

// The method tables by subject; their union serves every graph.
std::span<const MethodEntry> GraphGroupMethods();
std::span<const MethodEntry> GraphPenMethods();
std::span<const MethodEntry> GraphLineMethods();
std::span<const MethodEntry> GraphDataMethods();
// Names only the trend graph has.
std::span<const MethodEntry> TrendGraphOwnMethods();
