#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Kinds of property values; the numbers are stored in files and shown to editors.
enum PropertyType : int32_t {
  PT_NONE = 0,
  PT_BOOL = 1,
  PT_INTEGER = 2,  // positions, sizes, widths, indexes
  PT_NUMBER = 3,   // with fraction
  PT_STRING = 4,   // single line
  PT_TEXT = 5,     // multi-line
  PT_COLOR = 6,
  PT_COLOR_PALETTE = 7,
  PT_FONT = 8,
  PT_FILE = 9,  // list text: the file-dialog filter
  PT_FILES = 10,
  PT_ATTACHED_FILES = 11,
  PT_FOLDER = 12,
  PT_CUSTOMIZE = 13,
  PT_ENUM = 14,          // list text: the items
  PT_BORDER_STYLE = 15,  // list text: the items
  PT_LOCALE = 16,
  PT_TIME_ZONE = 17,
  PT_VISUAL_THEME = 20,
  PT_VISUAL_THEME_CONF = 21,
  PT_NUMBER_FORMAT = 22,
  PT_DATETIME_FORMAT = 23,
  PT_BLINK_COLOR = 24,
  PT_TAG_IN = 25,
  PT_TAG_OUT = 26,
  PT_TAG_INOUT = 27,
  PT_MENU_CONF = 28,
};

// Option bits of a property.
inline constexpr int32_t kPropertyDesignTime = 2;    // editor items: library entries, translation
inline constexpr int32_t kPropertyColor = 64;        // colour properties
inline constexpr int32_t kPropertySwitchValue = 128;  // the switched value

// One property descriptor: everything the file reader and writer, the script bridge, the bind
// factory and an editor need to know of one property.
struct PropertyInfo {
  std::u16string_view group;
  std::u16string_view name;
  int32_t type = PT_NONE;
  // Enumerations: the comma-separated items; some numbers: "max,min" with an empty side
  // unbounded; files: the dialog filter.
  std::u16string_view list;
  int32_t persisted = 1;  // written to the form file
  int32_t bindable = 1;   // may carry a bind script
  int32_t options = 0;
};

// A table entry: the descriptor and the default the class answers, as the text a file would hold
// (nullptr: the class answers no default for this property).
struct PropertyEntry {
  PropertyInfo info;
  const char16_t* defaultText = nullptr;
};

// Builds an entry; the common case is persisted and bindable.
constexpr PropertyEntry Prop(std::u16string_view group, std::u16string_view name, PropertyType type,
                             const char16_t* defaultText = nullptr, std::u16string_view list = {},
                             int32_t persisted = 1, int32_t bindable = 1, int32_t options = 0) {
  return PropertyEntry{PropertyInfo{group, name, type, list, persisted, bindable, options}, defaultText};
}

// Concatenates property tables, so that classes share the pieces of their tables rather than
// repeating them.
template <size_t... N>
constexpr auto JoinProperties(const std::array<PropertyEntry, N>&... parts) {
  std::array<PropertyEntry, (N + ... + 0)> joined{};
  size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), joined.begin() + at), at += N), ...);
  return joined;
}

// One event of a class's event table: group, name and parameter list ("button", "&text").
struct EventInfo {
  std::u16string_view group;
  std::u16string_view name;
  std::u16string_view parameters;
};

template <size_t... N>
constexpr auto JoinEvents(const std::array<EventInfo, N>&... parts) {
  std::array<EventInfo, (N + ... + 0)> joined{};
  size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), joined.begin() + at), at += N), ...);
  return joined;
}
