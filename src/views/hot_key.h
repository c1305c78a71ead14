#pragma once

#include <cstdint>
#include <string>

// A key the project registered to hear whatever window has the focus: the 16-bit key code and
// the name "hk%u_%u" (key code, process id) its registration goes by. Keys reach the project
// through the host window, which asks the project browser whether a key is registered.
struct CNHotKey {
  uint16_t keyCode = 0;
  std::u16string atom;

  static CNHotKey Make(uint16_t keyCode, uint32_t processId);
};
