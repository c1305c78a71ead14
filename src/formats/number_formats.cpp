#include "formats/number_formats.h"

#include "formats/default_format_texts.h"
#include "formats/format_file.h"
#include "formats/format_string.h"

namespace {

// "All" values that name format strings that name format strings...: deeper than this names
// no format.
constexpr int kMaxDepth = 8;

CNNumberFormat LocaleRecord(const CNLocaleNumbers& regional) {
  CNNumberFormat record;
  record.decimalSymbol = regional.decimalSymbol;
  record.separatorSymbol = regional.thousandSymbol;
  record.negativeFormat = regional.negativeFormat;
  record.leadingZero = regional.leadingZero;
  record.negativeSign = regional.negativeSign;
  return record;
}

}  // namespace

void CNNumberFormats::Load(std::u16string_view projectText, const CNLocaleNumbers& regional) {
  m_named.clear();
  m_cache.clear();
  m_userNames.clear();
  m_named.emplace(kLocaleName, LocaleRecord(regional));
  m_bLoading = true;
  LoadFormatFile(DefaultNumberFormatText(), projectText, m_named, m_userNames,
                 [this](CNNumberFormat& record, std::u16string_view key, std::u16string_view value) {
                   SetNumberKey(record, key, value, this);
                 });
  m_bLoading = false;
}

const CNNumberFormat* CNNumberFormats::FindNamed(std::u16string_view name) const {
  const auto found = m_named.find(name);
  return found == m_named.end() ? nullptr : &found->second;
}

bool CNNumberFormats::Build(std::u16string_view formatString, CNNumberFormat& out) {
  CNFormatStringParts parts;
  if (!SplitFormatString(formatString.empty() ? kDefaultName : formatString, parts)) return false;
  const CNNumberFormat* named = FindNamed(parts.name);
  if (!named || m_nDepth >= kMaxDepth) return false;
  out = *named;
  if (parts.hasPattern) ApplyNumberPattern(out, parts.pattern);
  ++m_nDepth;
  ForEachKeyPair(parts.pairs, [&](std::u16string_view key, std::u16string_view value) {
    SetNumberKey(out, key, value, this);
  });
  --m_nDepth;
  return true;
}

const CNNumberFormat* CNNumberFormats::Resolve(std::u16string_view formatString,
                                               std::optional<CNNumberFormat>& scratch) {
  if (!m_bLoading) {
    const auto cached = m_cache.find(formatString);
    if (cached != m_cache.end()) return &cached->second;
  }
  if (!Build(formatString, scratch.emplace())) return nullptr;
  const bool hasPairs = formatString.find(u'<') != std::u16string_view::npos;
  if (m_bLoading || (hasPairs && m_cache.size() >= kCacheLimit)) return &*scratch;
  return &m_cache.emplace(formatString, std::move(*scratch)).first->second;
}

bool CNNumberFormats::ResolveNumberFormat(std::u16string_view formatString, CNNumberFormat& out) {
  std::optional<CNNumberFormat> scratch;
  const CNNumberFormat* record = Resolve(formatString, scratch);
  if (!record) return false;
  out = *record;
  return true;
}
