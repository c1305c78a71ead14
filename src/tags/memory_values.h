#pragma once

#include <cstdint>

#include "tags/memory_area.h"

// The formulas of the computed memory areas. elapsedMs is the tick count since the project
// started; n is the tag's element index (a period, a step or a selector).

// True while elapsedMs / n is even; false for n = 0.
bool MemoryBlink(uint32_t elapsedMs, uint32_t n);
// elapsedMs / n, 0 for n = 0.
double MemoryIncrement(uint32_t elapsedMs, uint32_t n);
// SIN and COS go from -1 to 1 over one period, HSIN and HCOS from 0 to 100 (and back); n = 0
// gives the value at the middle of a period (sin 0, cos 0).
double MemoryWave(MemoryArea::Function function, uint32_t elapsedMs, uint32_t n);
// The "SYS" selectors: 0 the login state (0 none wanted, 1 lost, 2 logged in), 1 the panel-server
// node number, 2 node and state in one ((node - 1) * 2 + state, 0 without login), 3 the HTTP
// gateway number, 4 gateway and state in one; others 0.
double MemorySystemValue(uint32_t n, uint32_t loginState, uint32_t nodeNumber, uint32_t httpNumber);
