#include "formats/blink_formats.h"

#include <algorithm>

#include "formats/default_format_texts.h"
#include "formats/format_file.h"
#include "formats/format_values.h"

namespace {

constexpr std::u16string_view kInterval = u"Interval";

}  // namespace

bool SetBlinkKey(CNBlinkFormat& record, std::u16string_view key, std::u16string_view value) {
  if (key != kInterval) return false;
  record.interval = std::max(0, ReadWhole(value));
  return true;
}

bool GetBlinkKey(const CNBlinkFormat& record, std::u16string_view key, std::u16string& value) {
  if (key != kInterval) return false;
  value = WriteWhole(record.interval);
  return true;
}

void CNBlinkFormats::Load(std::u16string_view projectText) {
  m_named.clear();
  m_userNames.clear();
  LoadFormatFile(DefaultBlinkFormatText(), projectText, m_named, m_userNames,
                 [](CNBlinkFormat& record, std::u16string_view key, std::u16string_view value) {
                   SetBlinkKey(record, key, value);
                 });
}

const CNBlinkFormat* CNBlinkFormats::Find(std::u16string_view name) const {
  const auto found = m_named.find(name);
  return found == m_named.end() ? nullptr : &found->second;
}

bool CNBlinkFormats::Set(std::u16string_view name, const CNBlinkFormat& record) {
  if (!name.starts_with(u'@')) return false;
  m_named.insert_or_assign(std::u16string(name), record);
  return true;
}

std::vector<std::u16string> CNBlinkFormats::GetNames() const {
  std::vector<std::u16string> names;
  for (const auto& [name, record] : m_named) names.push_back(name);
  return names;
}
