#include "screen/visual_theme.h"

#include <algorithm>

#include "support/utf16_text.h"

namespace {

template <class Values>
auto FindEntry(Values& values, std::u16string_view name) {
  return std::find_if(values.begin(), values.end(), [name](const CNVisualTheme::Value& entry) {
    return EqualsIgnoreCaseAscii(entry.name, name);
  });
}

}  // namespace

const std::u16string* CNVisualTheme::FindValue(std::u16string_view name) const {
  const auto found = FindEntry(m_values, name);
  return found == m_values.end() ? nullptr : &found->value;
}

bool CNVisualTheme::SetValue(std::u16string_view name, std::u16string_view value) {
  if (const auto found = FindEntry(m_values, name); found != m_values.end()) {
    found->value = value;
    return true;
  }
  if (m_values.size() >= kMaxValues) return false;
  m_values.push_back({std::u16string(name), std::u16string(value)});
  return true;
}
