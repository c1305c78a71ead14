#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "screen/visual_theme.h"

// What reading a theme file did.
struct CNVisualThemeFileResult {
  uint32_t themes = 0;   // section lines that opened a theme, new or already known
  uint32_t values = 0;   // "@" values and comments set
  uint32_t skipped = 0;  // lines left out: malformed, too long, or over a limit
};

// Longest theme name or "@" name, and longest value or comment, in UTF-16 units.
inline constexpr size_t kMaxThemeNameLength = 64;
inline constexpr size_t kMaxThemeValueLength = 256;

// Reads a theme file into `themes`, adding at most up to maxThemes themes in all.
//
//   file    := { line }          lines end at a line feed; each loses its surrounding blanks
//   line    := "" | comment | section | entry
//   comment := (";" | "#") any
//   section := "[" name "]"      opens the theme of that name, matched without regard to case
//   entry   := key "=" value     key "Comment" or an "@" name; both sides lose their blanks
//
// A section naming a theme already in `themes` changes that theme name by name: the values it
// gives replace the theme's, the others stay. A new name adds a theme. Entries are skipped
// (and counted) when they stand outside a section or in a section that was refused, when the
// key is neither "Comment" nor an "@" name, when a name or value is too long or the value is
// empty, when the value itself refers to a theme value ("@..."), and when a colour does not
// read: a name ending in "Color", or a value starting with "#", must hold "#RRGGBB" (kept in
// upper case). A section is refused when its name is empty or too long, or when maxThemes are
// there already; a value when its theme holds CNVisualTheme::kMaxValues others.
CNVisualThemeFileResult ReadVisualThemeFile(std::u16string_view text, std::vector<CNVisualTheme>& themes,
                                            size_t maxThemes);
