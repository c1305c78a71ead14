#include "screen/visual_themes.h"

#include <mutex>

#include "objects/property_codec.h"
#include "screen/visual_theme_builtin.h"
#include "support/utf16_text.h"

namespace {

const std::vector<CNVisualTheme>& BuiltInThemes() {
  static const std::vector<CNVisualTheme> s_themes = [] {
    std::vector<CNVisualTheme> themes;
    ReadVisualThemeFile(Utf8ToUtf16(BuiltInVisualThemeText()), themes, CNVisualThemes::kMaxThemes);
    return themes;
  }();
  return s_themes;
}

}  // namespace

CNVisualThemes::CNVisualThemes() : m_themes(BuiltInThemes()) {
  m_default = IndexOf(kDefaultTheme);
  m_current = m_default;
}

CNVisualThemes& CNVisualThemes::Global() {
  static CNVisualThemes s_themes;
  return s_themes;
}

CNVisualThemeFileResult CNVisualThemes::LoadProjectThemes(std::u16string_view projectText) {
  std::lock_guard lock(*this);
  m_themes = BuiltInThemes();
  m_current = m_default;
  const CNVisualThemeFileResult result = ReadVisualThemeFile(projectText, m_themes, kMaxThemes);
  Changed();
  return result;
}

bool CNVisualThemes::SetCurrentTheme(std::u16string_view name) {
  std::lock_guard lock(*this);
  const size_t index = IndexOf(name);
  if (index == kNone) return false;
  if (index != m_current) {
    m_current = index;
    Changed();
  }
  return true;
}

std::u16string CNVisualThemes::GetCurrentTheme() const {
  std::lock_guard lock(*this);
  return m_themes[m_current].GetName();
}

std::vector<std::u16string> CNVisualThemes::GetThemeNames() const {
  std::lock_guard lock(*this);
  std::vector<std::u16string> names;
  names.reserve(m_themes.size());
  for (const CNVisualTheme& theme : m_themes) names.push_back(theme.GetName());
  return names;
}

bool CNVisualThemes::GetComment(std::u16string_view theme, std::u16string& comment) const {
  std::lock_guard lock(*this);
  const CNVisualTheme* found = Find(theme);
  if (!found) return false;
  comment = found->GetComment();
  return true;
}

bool CNVisualThemes::GetTheme(std::u16string_view theme, CNVisualTheme& out) const {
  std::lock_guard lock(*this);
  const CNVisualTheme* found = Find(theme);
  if (!found) return false;
  out = *found;
  return true;
}

bool CNVisualThemes::GetValue(std::u16string_view theme, std::u16string_view name,
                              std::u16string& value) const {
  std::lock_guard lock(*this);
  const CNVisualTheme* found = theme.empty() ? &m_themes[m_current] : Find(theme);
  const std::u16string* text = found ? Lookup(*found, name) : nullptr;
  if (!text) return false;
  value = *text;
  return true;
}

bool CNVisualThemes::ResolveValue(std::u16string_view formTheme, std::u16string_view name,
                                  std::u16string& value) const {
  std::lock_guard lock(*this);
  const std::u16string* text = Lookup(ThemeForForm(formTheme), name);
  if (!text) return false;
  value = *text;
  return true;
}

bool CNVisualThemes::ResolveColor(std::u16string_view colorText, uint32_t& colorRef,
                                  std::u16string_view formTheme) const {
  if (!IsThemeReference(colorText)) return ParseColorText(colorText, colorRef);
  std::lock_guard lock(*this);
  const std::u16string* text = Lookup(ThemeForForm(formTheme), colorText);
  return text && ParseColorText(*text, colorRef);
}

bool CNVisualThemes::ResolveBorderStyle(std::u16string_view styleText, std::u16string& item,
                                        std::u16string_view formTheme) const {
  if (styleText.empty()) return false;
  if (!IsThemeReference(styleText)) {
    item = styleText;
    return true;
  }
  return ResolveValue(formTheme, styleText, item);
}

size_t CNVisualThemes::IndexOf(std::u16string_view name) const {
  for (size_t i = 0; i < m_themes.size(); ++i)
    if (EqualsIgnoreCaseAscii(m_themes[i].GetName(), name)) return i;
  return kNone;
}

const CNVisualTheme* CNVisualThemes::Find(std::u16string_view name) const {
  const size_t index = IndexOf(name);
  return index == kNone ? nullptr : &m_themes[index];
}

const CNVisualTheme& CNVisualThemes::ThemeForForm(std::u16string_view formTheme) const {
  const CNVisualTheme* found = EqualsIgnoreCaseAscii(formTheme, u"DEFAULT") ? nullptr : Find(formTheme);
  return found ? *found : m_themes[m_current];
}

const std::u16string* CNVisualThemes::Lookup(const CNVisualTheme& theme, std::u16string_view name) const {
  const std::u16string* value = theme.FindValue(name);
  return value ? value : m_themes[m_default].FindValue(name);
}
