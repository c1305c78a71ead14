#pragma once

#include <cstddef>
#include <cstdint>

// How far one run of scripts may go. A run is one call from outside the engine (an event, a
// call through CNScript) with everything it calls, the events it fires included. A run that
// passes the time, statement, depth or stack limit stops with "Function execution stops for "
// and the name of the function that was running; values beyond the size limits are refused
// with the error of the construct that would make them.
struct CScriptLimits {
  uint32_t timeLimitMs = 10000;    // wall-clock time of one run; 0: none
  uint64_t statementLimit = 0;     // statements run in one run; 0: none
  uint32_t callDepth = 200;        // script functions active at once
  size_t stackBytes = size_t{2} << 20;  // native stack the nested calls of one run may take
  uint32_t maxElements = 1u << 24;      // elements of a value made by "new", "c(...)", ":" or "[...]"
  uint32_t maxTextLength = 1u << 24;    // code units of the texts one join ("+", "&", "|") makes
};
