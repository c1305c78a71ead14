#include "project/translation.h"

#include "objects/object.h"
#include "objects/object_tree.h"

namespace {

// The text with its escapes undone; false for a backslash before anything else.
bool Unescape(std::u16string_view text, std::u16string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return false;
    switch (text[i]) {
      case u'n': out += u'\n'; break;
      case u'=': out += u'='; break;
      case u'\\': out += u'\\'; break;
      default: return false;
    }
  }
  return true;
}

// The first "=" that no backslash escapes.
size_t FindSeparator(std::u16string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == u'\\') ++i;
    else if (line[i] == u'=') return i;
  }
  return std::u16string_view::npos;
}

bool IsListSeparator(char16_t c) { return c == u',' || c == u' ' || c == u'\r' || c == u'\n' || c == u'\t'; }

}  // namespace

size_t CNPTranslation::Load(std::u16string_view text) {
  m_table.clear();
  while (!text.empty()) {
    const size_t end = text.find(u'\n');
    std::u16string_view line = text.substr(0, end);
    text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    if (line.empty() || line[0] == u'#' || line[0] == u';') continue;
    const size_t separator = FindSeparator(line);
    std::u16string original, translated;
    if (separator == std::u16string_view::npos || separator == 0 || !Unescape(line.substr(0, separator), original) ||
        !Unescape(line.substr(separator + 1), translated))
      continue;
    m_table[original] = translated;
  }
  return m_table.size();
}

std::u16string_view CNPTranslation::Translate(std::u16string_view text) const {
  const auto found = m_table.find(std::u16string(text));
  return found == m_table.end() ? text : std::u16string_view(found->second);
}

size_t CNPTranslation::Apply(CNObject& root) const {
  if (m_table.empty()) return 0;
  size_t changed = 0;
  WalkObjectTree(root, [&](CNObject& object) {
    CNValue list;
    if (!object.GetProperty(u"TranslationProp", list)) return true;
    const std::u16string names = list.GetTextEmptyNA(0);
    for (size_t at = 0; at < names.size();) {
      while (at < names.size() && IsListSeparator(names[at])) ++at;
      size_t end = at;
      while (end < names.size() && !IsListSeparator(names[end])) ++end;
      const std::u16string_view name = std::u16string_view(names).substr(at, end - at);
      at = end;
      CNValue value;
      if (name.empty() || !object.GetProperty(name, value) || !value.IsString(0)) continue;
      const std::u16string text = value.GetText(0);
      const std::u16string_view translated = Translate(text);
      if (translated == text) continue;
      CNValue replacement;
      replacement.SetString(translated);
      if (object.SetProperty(name, replacement)) ++changed;
    }
    return true;
  });
  return changed;
}
