#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What a container keeps of a control between sessions, as bytes, all numbers little-endian:
//
//   offset  size  field
//   0       4     exchange version, 0x00010000
//   4       4     width of the control, pixels (signed)
//   8       4     height of the control, pixels (signed)
//   12      4     n: length of FileName in UTF-16 code units
//   16      2n    FileName, UTF-16LE
//   ..      4     m: length of CurrentDirectory in UTF-16 code units
//   ..      2m    CurrentDirectory, UTF-16LE
//
// The extent is the base control's own part; the two texts follow it in that order.
struct CControlProperties {
  static constexpr uint32_t kExchangeVersion = 0x10000;
  // Larger texts are refused on reading: no container keeps a path this long.
  static constexpr uint32_t kMaxTextUnits = 1u << 20;

  int32_t width = 0;
  int32_t height = 0;
  std::u16string fileName;
  std::u16string currentDirectory;

  std::vector<uint8_t> Save() const;
  // False, leaving this unchanged, for bytes of another version, cut short, with trailing bytes
  // or with a text longer than kMaxTextUnits.
  bool Load(std::span<const uint8_t> bytes);
};
