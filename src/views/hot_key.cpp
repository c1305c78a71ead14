#include "views/hot_key.h"

#include <string>

#include "support/utf16_text.h"

CNHotKey CNHotKey::Make(uint16_t keyCode, uint32_t processId) {
  return {keyCode, AsciiToUtf16("hk" + std::to_string(keyCode) + "_" + std::to_string(processId))};
}
