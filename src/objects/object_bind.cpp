// Bind text: "[" + property name + "]" + script per bound property, in property order. Inside a
// script "[" is kept as "%squarebracket1%" and "]" as "%squarebracket2%".
#include "objects/object.h"

namespace {

constexpr std::u16string_view kOpenEscape = u"%squarebracket1%";
constexpr std::u16string_view kCloseEscape = u"%squarebracket2%";

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

std::u16string Escape(std::u16string_view script) {
  std::u16string out;
  out.reserve(script.size());
  for (char16_t c : script) {
    if (c == u'[') {
      out += kOpenEscape;
    } else if (c == u']') {
      out += kCloseEscape;
    } else {
      out += c;
    }
  }
  return out;
}

std::u16string_view Trim(std::u16string_view text) {
  const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::u16string CNObject::GetBindSection(std::u16string_view name) const {
  const std::u16string key = u"[" + std::u16string(name) + u"]";
  const size_t at = m_strBind.find(key);
  if (at == std::u16string::npos) return {};
  const size_t begin = at + key.size();
  const size_t end = m_strBind.find(u'[', begin);
  std::u16string section(Trim(std::u16string_view(m_strBind).substr(begin, end == std::u16string::npos ? end : end - begin)));
  ReplaceAll(section, kOpenEscape, u"[");
  ReplaceAll(section, kCloseEscape, u"]");
  return section;
}

void CNObject::SetBindSection(std::u16string_view name, std::u16string_view text) {
  std::u16string rebuilt;
  const uint32_t count = GetPropertyCount();
  for (uint32_t i = 0; i < count; ++i) {
    const std::u16string_view property = GetPropertyName(i);
    const std::u16string section = property == name ? std::u16string(text) : GetBindSection(property);
    if (section.empty()) continue;
    rebuilt += u'[';
    rebuilt += property;
    rebuilt += u']';
    rebuilt += Escape(section);
  }
  SetBind(rebuilt);
}
