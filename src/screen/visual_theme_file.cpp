#include "screen/visual_theme_file.h"

#include <algorithm>
#include <optional>
#include <string>

#include "objects/property_codec.h"
#include "support/utf16_text.h"

namespace {

constexpr size_t kNoTheme = static_cast<size_t>(-1);

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
  return text;
}

bool EndsWithIgnoreCaseAscii(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsIgnoreCaseAscii(text.substr(text.size() - suffix.size()), suffix);
}

// The value as the theme keeps it; nothing when the entry is not acceptable.
std::optional<std::u16string> AcceptedValue(std::u16string_view name, std::u16string_view value) {
  if (value.empty() || value.size() > kMaxThemeValueLength || IsThemeReference(value)) return std::nullopt;
  if (value.front() == u'#' || EndsWithIgnoreCaseAscii(name, u"Color")) {
    uint32_t color = 0;
    if (!ParseColorText(value, color)) return std::nullopt;
    return ColorText(color);
  }
  return std::u16string(value);
}

class Reader {
 public:
  Reader(std::vector<CNVisualTheme>& themes, size_t maxThemes) : m_themes(themes), m_maxThemes(maxThemes) {}

  void Line(std::u16string_view line) {
    if (line.empty() || line.front() == u';' || line.front() == u'#') return;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      Section(Trim(line.substr(1, line.size() - 2)));
    } else if (!Entry(line)) {
      ++m_result.skipped;
    }
  }

  const CNVisualThemeFileResult& Result() const { return m_result; }

 private:
  // section := "[" name "]"
  void Section(std::u16string_view name) {
    m_current = kNoTheme;
    if (name.empty() || name.size() > kMaxThemeNameLength) {
      ++m_result.skipped;
      return;
    }
    const auto found = std::find_if(m_themes.begin(), m_themes.end(), [name](const CNVisualTheme& theme) {
      return EqualsIgnoreCaseAscii(theme.GetName(), name);
    });
    if (found != m_themes.end()) {
      m_current = static_cast<size_t>(found - m_themes.begin());
    } else if (m_themes.size() < m_maxThemes) {
      m_current = m_themes.size();
      m_themes.emplace_back(name);
    } else {
      ++m_result.skipped;
      return;
    }
    ++m_result.themes;
  }

  // entry := key "=" value; false when it is skipped.
  bool Entry(std::u16string_view line) {
    const size_t equals = line.find(u'=');
    if (m_current == kNoTheme || equals == std::u16string_view::npos) return false;
    CNVisualTheme& theme = m_themes[m_current];
    const std::u16string_view key = Trim(line.substr(0, equals));
    const std::u16string_view value = Trim(line.substr(equals + 1));
    if (EqualsIgnoreCaseAscii(key, u"Comment")) {
      if (value.size() > kMaxThemeValueLength) return false;
      theme.SetComment(value);
    } else {
      if (!IsThemeReference(key) || key.size() > kMaxThemeNameLength) return false;
      const std::optional<std::u16string> accepted = AcceptedValue(key, value);
      if (!accepted || !theme.SetValue(key, *accepted)) return false;
    }
    ++m_result.values;
    return true;
  }

  std::vector<CNVisualTheme>& m_themes;
  size_t m_maxThemes;
  size_t m_current = kNoTheme;
  CNVisualThemeFileResult m_result;
};

}  // namespace

CNVisualThemeFileResult ReadVisualThemeFile(std::u16string_view text, std::vector<CNVisualTheme>& themes,
                                            size_t maxThemes) {
  if (!text.empty() && text.front() == u'\xFEFF') text.remove_prefix(1);  // byte-order mark
  Reader reader(themes, maxThemes);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) end = text.size();
    reader.Line(Trim(text.substr(start, end - start)));
    start = end + 1;
  }
  return reader.Result();
}
