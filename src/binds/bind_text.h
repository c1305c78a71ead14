#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The parts of one property's bind text: its input script, its output script and the options
// written behind ";" ("...;WATCH:500;ONLYFIRSTIN").
struct CNBindTextSections {
  std::u16string input;        // empty: no input script
  std::u16string output;       // empty: no output script
  int32_t watch = 0;           // ";WATCH": its number, -1 without one, 0 when absent
  bool onlyFirstIn = false;    // ";ONLYFIRSTIN"
  bool beginsWithBAC = false;  // input script starts with "B.AC"
};

// Splits the bind text of one property (the "[Property]" in front already taken off). The
// options are cut out first; then "INOUT:" gives both scripts, else "IN:" and "OUT:" give one
// each, and a text with no marker is all input.
CNBindTextSections SplitBindText(std::u16string_view text);
