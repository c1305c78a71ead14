#include "methods/root_config.h"

#include <system_error>

#include "methods/root_file_io.h"
#include "support/utf16_text.h"

namespace {

bool HasLineBreak(std::u16string_view name) {
  return name.find_first_of(u"\r\n") != std::u16string_view::npos;
}

bool HasOuterSpace(std::u16string_view name) {
  return !name.empty() && (IsSpaceAscii(name.front()) || IsSpaceAscii(name.back()));
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
  return text;
}

// A value as the file writes it; text that is no literal stands for itself.
void ReadValueText(std::u16string_view text, CNValue& value) {
  if (value.FromLiteral(text, true) && !(value.GetCount() == 1 && value.IsNA(0) && text != u"#N/A#")) return;
  value.SetString(text);
}

}  // namespace

bool CKVConfigStore::IsSectionName(std::u16string_view name) {
  return name.size() <= kMaxName && !HasLineBreak(name) && name.find(u']') == std::u16string_view::npos &&
         !HasOuterSpace(name);
}

bool CKVConfigStore::IsKeyName(std::u16string_view name) {
  return !name.empty() && name.size() <= kMaxName && !HasLineBreak(name) &&
         name.find(u'=') == std::u16string_view::npos && name[0] != u'[' && name[0] != u';' &&
         name[0] != u'#' && !HasOuterSpace(name);
}

bool CKVConfigStore::Get(std::u16string_view section, std::u16string_view key, CNValue& value) const {
  const auto s = m_sections.find(section);
  if (s == m_sections.end()) return false;
  const auto k = s->second.find(key);
  if (k == s->second.end()) return false;
  value.Assign(k->second);
  return true;
}

bool CKVConfigStore::Set(std::u16string_view section, std::u16string_view key, const CNValue& value) {
  if (!IsSectionName(section) || !IsKeyName(key)) return false;
  auto s = m_sections.find(section);
  if (s != m_sections.end()) {
    if (const auto k = s->second.find(key); k != s->second.end()) {
      k->second.Assign(value);
      return true;
    }
  }
  if (m_keyCount >= kMaxKeys) return false;
  if (s == m_sections.end()) s = m_sections.emplace(std::u16string(section), decltype(s->second){}).first;
  s->second.emplace(std::u16string(key), value);
  ++m_keyCount;
  return true;
}

bool CKVConfigStore::Remove(std::u16string_view section, std::u16string_view key) {
  const auto s = m_sections.find(section);
  if (s == m_sections.end()) return false;
  const auto k = s->second.find(key);
  if (k == s->second.end()) return false;
  s->second.erase(k);
  --m_keyCount;
  if (s->second.empty()) m_sections.erase(s);
  return true;
}

bool CKVConfigStore::RemoveSection(std::u16string_view section) {
  const auto s = m_sections.find(section);
  if (s == m_sections.end()) return false;
  m_keyCount -= s->second.size();
  m_sections.erase(s);
  return true;
}

void CKVConfigStore::Clear() {
  m_sections.clear();
  m_keyCount = 0;
}

std::vector<std::u16string> CKVConfigStore::GetSections() const {
  std::vector<std::u16string> names;
  for (const auto& [name, keys] : m_sections) names.push_back(name);
  return names;
}

std::vector<std::u16string> CKVConfigStore::GetKeys(std::u16string_view section) const {
  std::vector<std::u16string> names;
  if (const auto s = m_sections.find(section); s != m_sections.end())
    for (const auto& [name, value] : s->second) names.push_back(name);
  return names;
}

std::string CKVConfigStore::ToText() const {
  std::u16string text;
  // The empty section sorts first, so its keys come before every section line.
  for (const auto& [section, keys] : m_sections) {
    if (!section.empty()) text += u"[" + section + u"]\n";
    for (const auto& [key, value] : keys) text += key + u"=" + value.ToLiteral(true) + u"\n";
  }
  return Utf16ToUtf8(text);
}

bool CKVConfigStore::FromText(std::string_view bytes) {
  std::u16string text;
  if (!DecodeFileText(bytes, text)) return false;
  CKVConfigStore read;
  std::u16string section;
  for (size_t from = 0; from < text.size();) {
    size_t end = text.find(u'\n', from);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string_view line = Trimmed(std::u16string_view(text).substr(from, end - from));
    from = end + 1;
    if (line.empty() || line[0] == u';' || line[0] == u'#') continue;
    if (line[0] == u'[') {
      if (line.back() == u']') section = Trimmed(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t equal = line.find(u'=');
    if (equal == std::u16string_view::npos) continue;
    CNValue value;
    ReadValueText(Trimmed(line.substr(equal + 1)), value);
    const std::u16string_view key = Trimmed(line.substr(0, equal));
    if (!read.IsKeyName(key) || !read.IsSectionName(section)) continue;
    if (!read.Set(section, key, value)) return false;  // too many keys
  }
  *this = std::move(read);
  return true;
}

bool CKVConfigStore::Save(const std::filesystem::path& file, std::u16string& error) const {
  const std::string text = ToText();
  if (text.size() > kMaxFileBytes) {
    error = FileErrorText(u"The configuration is too large to save", file);
    return false;
  }
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  return ReplaceFileContent(file, text, error);
}

bool CKVConfigStore::Load(const std::filesystem::path& file, std::u16string& error) {
  std::string bytes;
  if (!ReadWholeFile(file, kMaxFileBytes, bytes, error)) return false;
  if (!FromText(bytes)) {
    error = FileErrorText(u"Not a configuration file", file);
    return false;
  }
  return true;
}
