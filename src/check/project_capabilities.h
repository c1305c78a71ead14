#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/capability_policy.h"

class CNObject;

// A call in an event script of a built-in function of a capability family, found by reading
// the script: the family (kNone for a call whose target cannot be known before it runs, such as
// "CallMethod"), the function's name, the object whose script it is ("Screens.Overview.btnSave",
// "root" for the project's root), the event or function it is in ("event OnMouseUp",
// "function Save"; empty at the top of the script) and its line.
struct CNCapabilityCall {
  CapabilityFamily family = CapabilityFamily::kNone;
  std::u16string function;
  std::u16string object;
  std::u16string context;
  uint32_t line = 0;
};

// The calls of the scripts of root and every object below it, in tree order and script order.
// Calls are recognised by name, whatever object they are made on; a script that does not
// tokenize is read up to its error.
std::vector<CNCapabilityCall> FindCapabilityCalls(CNObject& root);

// The report of veltrix-check --capabilities: per family, in the policy's order, a line
// "FAMILY:" and one indented line per call "OBJECT, CONTEXT, line N: FUNCTION" (or "  none"),
// then the same for "dynamic".
std::string FormatCapabilityCalls(const std::vector<CNCapabilityCall>& calls);
