#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Bytes from hexadecimal text ("4EF99745..."); blanks are skipped.
inline std::vector<uint8_t> HexBytes(std::string_view hex) {
  std::vector<uint8_t> bytes;
  int high = -1;
  for (char c : hex) {
    if (c == ' ') continue;
    const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<uint8_t>(high << 4 | digit));
      high = -1;
    }
  }
  return bytes;
}

inline std::string HexText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : bytes) {
    text += kDigits[static_cast<uint8_t>(c) >> 4];
    text += kDigits[static_cast<uint8_t>(c) & 15];
  }
  return text;
}

inline std::string HexText(const std::vector<uint8_t>& bytes) {
  return HexText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
