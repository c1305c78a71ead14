#pragma once

#include <cstdint>
#include <string>
#include <utility>

// The result of every data-access operation: codes below 1000 are success (0 in practice);
// 1000 is the one failure code the clients produce.
inline constexpr uint32_t kClientFailure = 1000;

struct ClientResult {
  uint32_t code = 0;
  std::u16string message;

  bool Succeeded() const { return code < kClientFailure; }
  static ClientResult Ok() { return {}; }
  static ClientResult Fail(std::u16string text) { return {kClientFailure, std::move(text)}; }
  // A failure whose text is formatted printf-style (ASCII or UTF-8 arguments).
  [[gnu::format(printf, 1, 2)]] static ClientResult Failf(const char* format, ...);
};
