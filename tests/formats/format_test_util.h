#pragma once

#include <string>
#include <string_view>

#include "formats/format_store.h"
#include "support/utf16_text.h"

namespace format_test {

inline std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// A store under the C locale's settings, so that no test depends on the machine's.
class FormatStoreTest : public testing::Test {
 protected:
  std::string Text(std::u16string_view formatString, double value, int32_t decimalPlaces = -1) {
    return U8(m_store.Format(formatString, 0, false, value, -1, decimalPlaces));
  }

  CNFormatStore m_store{u"C"};
};

}  // namespace format_test
