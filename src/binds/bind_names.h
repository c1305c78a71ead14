#pragma once

#include <string_view>

// A bind name of at least three characters between two "$" stands for a property of the
// bind's own object ("$Text$" is Text); every other name is a tag.
inline bool IsOwnPropertyName(std::u16string_view name) {
  return name.size() >= 3 && name.front() == u'$' && name.back() == u'$';
}
// The property an own-property name stands for.
inline std::u16string_view OwnPropertyOf(std::u16string_view name) {
  return name.substr(1, name.size() - 2);
}
