#include "formats/format_store.h"

#include <mutex>
#include <optional>

#include "formats/datetime_format_text.h"
#include "formats/number_format_inverse.h"
#include "formats/number_format_text.h"

namespace {

std::u16string LocaleNameOf(std::u16string_view language) {
  return language.empty() ? MachineLocaleName() : std::u16string(language);
}

}  // namespace

CNFormatStore::CNFormatStore(std::u16string_view language)
    : m_strLanguage(language), m_regional(LoadLocaleData(LocaleNameOf(language))) {
  m_numbers.Load({}, m_regional.numbers);
  m_dateTimes.Load({}, m_regional.dates);
  m_blinks.Load({});
}

CNFormatStore& CNFormatStore::Global() {
  static CNFormatStore s_store;
  return s_store;
}

void CNFormatStore::SetLanguage(std::u16string_view language) {
  std::lock_guard lock(*this);
  m_strLanguage = language;
  const std::u16string name = LocaleNameOf(language);
  if (name == m_regional.name) return;
  m_regional = LoadLocaleData(name);
  m_numbers.Load(m_strNumberText, m_regional.numbers);
  m_dateTimes.Load(m_strDateTimeText, m_regional.dates);
}

std::u16string CNFormatStore::GetLanguage() const {
  std::lock_guard lock(*this);
  return m_regional.name;
}

void CNFormatStore::LoadNumberFormats(std::u16string_view projectText) {
  std::lock_guard lock(*this);
  m_strNumberText = projectText;
  m_numbers.Load(projectText, m_regional.numbers);
}

void CNFormatStore::LoadDateTimeFormats(std::u16string_view projectText) {
  std::lock_guard lock(*this);
  m_strDateTimeText = projectText;
  m_dateTimes.Load(projectText, m_regional.dates);
}

void CNFormatStore::LoadBlinkFormats(std::u16string_view projectText) {
  std::lock_guard lock(*this);
  m_blinks.Load(projectText);
}

std::u16string CNFormatStore::Format(std::u16string_view formatString, int32_t qualityCode, bool notAvailable,
                                     double value, int32_t qualityState, int32_t decimalPlaces) {
  std::u16string text;
  Format(formatString, qualityCode, notAvailable, value, qualityState, decimalPlaces, text);
  return text;
}

void CNFormatStore::Format(std::u16string_view formatString, int32_t qualityCode, bool notAvailable,
                           double value, int32_t qualityState, int32_t decimalPlaces, std::u16string& out) {
  std::lock_guard lock(*this);
  std::optional<CNNumberFormat> scratch;
  const CNNumberFormat* record = m_numbers.Resolve(formatString, scratch);
  if (!record) {
    out.clear();
    return;
  }
  FormatNumber(*record, qualityCode, notAvailable, value, qualityState, decimalPlaces, out);
}

int CNFormatStore::Parse(std::u16string_view formatString, std::u16string_view text, double& value) {
  std::lock_guard lock(*this);
  value = 0;
  std::optional<CNNumberFormat> scratch;
  const CNNumberFormat* record = m_numbers.Resolve(formatString, scratch);
  return record ? ParseNumber(*record, text, value) : kParseNoNumber;
}

bool CNFormatStore::ResolveNumberFormat(std::u16string_view formatString, CNNumberFormat& out) {
  std::lock_guard lock(*this);
  return m_numbers.ResolveNumberFormat(formatString, out);
}

bool CNFormatStore::SetNumberKey(CNNumberFormat& record, std::u16string_view key, std::u16string_view value) {
  std::lock_guard lock(*this);
  return ::SetNumberKey(record, key, value, &m_numbers);
}

std::u16string CNFormatStore::WriteNumberFormatString(const CNNumberFormat& record,
                                                      std::u16string_view baseName) {
  std::lock_guard lock(*this);
  const CNNumberFormat* base = m_numbers.FindNamed(baseName);
  return base ? ::WriteNumberFormatString(record, baseName, *base) : std::u16string();
}

std::vector<std::u16string> CNFormatStore::GetUserNumberFormatNames() const {
  std::lock_guard lock(*this);
  return m_numbers.GetUserFormatNames();
}

std::vector<std::u16string> CNFormatStore::GetUserNumberFormatSections() const {
  std::lock_guard lock(*this);
  std::vector<std::u16string> sections;
  for (const std::u16string& name : m_numbers.GetUserFormatNames())
    sections.push_back(WriteNumberFormatSection(name, *m_numbers.FindNamed(name)));
  return sections;
}

size_t CNFormatStore::GetNumberCacheSize() const {
  std::lock_guard lock(*this);
  return m_numbers.GetCacheSize();
}

std::u16string CNFormatStore::FormatTime(std::u16string_view formatString, FileTime ticks) {
  std::lock_guard lock(*this);
  CNDateTimeFormat record;
  std::u16string text;
  if (m_dateTimes.ResolveDateTimeFormat(formatString, record)) FormatDateTime(record, ticks, text);
  return text;
}

bool CNFormatStore::ParseTime(std::u16string_view formatString, std::u16string_view text, FileTime& out) {
  std::lock_guard lock(*this);
  CNDateTimeFormat record;
  return m_dateTimes.ResolveDateTimeFormat(formatString, record) && ParseDateTime(record, text, out);
}

bool CNFormatStore::ResolveDateTimeFormat(std::u16string_view formatString, CNDateTimeFormat& out) {
  std::lock_guard lock(*this);
  return m_dateTimes.ResolveDateTimeFormat(formatString, out);
}

std::vector<std::u16string> CNFormatStore::GetUserDateTimeFormatNames() const {
  std::lock_guard lock(*this);
  return m_dateTimes.GetUserFormatNames();
}

bool CNFormatStore::GetBlinkFormat(std::u16string_view name, CNBlinkFormat& out) const {
  std::lock_guard lock(*this);
  const CNBlinkFormat* found = m_blinks.Find(name);
  if (found) out = *found;
  return found != nullptr;
}

bool CNFormatStore::SetBlinkFormat(std::u16string_view name, const CNBlinkFormat& record) {
  std::lock_guard lock(*this);
  return m_blinks.Set(name, record);
}

std::vector<std::u16string> CNFormatStore::GetBlinkFormatNames() const {
  std::lock_guard lock(*this);
  return m_blinks.GetNames();
}
