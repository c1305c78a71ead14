#include "formats/datetime_formats.h"

#include "formats/default_format_texts.h"
#include "formats/format_file.h"
#include "formats/format_string.h"

namespace {

constexpr int kMaxDepth = 8;

}  // namespace

void CNDateTimeFormats::Load(std::u16string_view projectText, const CNLocaleDates& regional) {
  m_regional = regional;
  m_named.clear();
  m_userNames.clear();
  CNDateTimeFormat& locale = m_named[std::u16string(kLocaleName)];
  locale.names = regional.names;
  SetDateTimeKey(locale, u"Base", u"DT", *this);
  LoadFormatFile(DefaultDateTimeFormatText(), projectText, m_named, m_userNames,
                 [this](CNDateTimeFormat& record, std::u16string_view key, std::u16string_view value) {
                   SetDateTimeKey(record, key, value, *this);
                 });
}

bool CNDateTimeFormats::ResolveDateTimeFormat(std::u16string_view formatString, CNDateTimeFormat& out) {
  CNFormatStringParts parts;
  if (!SplitFormatString(formatString.empty() ? kDefaultName : formatString, parts)) return false;
  const auto named = m_named.find(parts.name);
  if (named == m_named.end() || m_nDepth >= kMaxDepth) return false;
  CNDateTimeFormat record = named->second;
  ++m_nDepth;
  if (parts.hasPattern) SetDateTimeKey(record, u"Base", parts.pattern, *this);
  ForEachKeyPair(parts.pairs, [&](std::u16string_view key, std::u16string_view value) {
    SetDateTimeKey(record, key, value, *this);
  });
  --m_nDepth;
  out = std::move(record);
  return true;
}
