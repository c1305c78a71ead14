#include "tags/memory_values.h"

#include <cmath>
#include <numbers>

bool MemoryBlink(uint32_t elapsedMs, uint32_t n) { return n != 0 && (elapsedMs / n) % 2 == 0; }

double MemoryIncrement(uint32_t elapsedMs, uint32_t n) { return n == 0 ? 0.0 : elapsedMs / n; }

double MemoryWave(MemoryArea::Function function, uint32_t elapsedMs, uint32_t n) {
  double x = 0.0;
  if (n != 0) {
    const double p = static_cast<double>(elapsedMs % n) / n;
    x = std::numbers::pi * (2.0 * p - 1.0);
  }
  switch (function) {
    case MemoryArea::kSin: return std::sin(x);
    case MemoryArea::kCos: return std::cos(x);
    case MemoryArea::kHsin: return (std::sin(x) + 1.0) * 50.0;
    case MemoryArea::kHcos: return (std::cos(x) + 1.0) * 50.0;
    default: return 0.0;
  }
}

double MemorySystemValue(uint32_t n, uint32_t loginState, uint32_t nodeNumber, uint32_t httpNumber) {
  // A state with the server it concerns: two numbers per server, 1 lost and 2 logged in.
  const auto withServer = [&](uint32_t server) {
    return loginState == 0 ? 0.0 : (static_cast<double>(server) - 1.0) * 2.0 + loginState;
  };
  switch (n) {
    case 0: return loginState;
    case 1: return nodeNumber;
    case 2: return withServer(nodeNumber);
    case 3: return httpNumber;
    case 4: return withServer(httpNumber);
    default: return 0.0;
  }
}
