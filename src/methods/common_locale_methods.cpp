// The common functions on regional settings: the computer's locale and the locales the
// runtime can format for.
#include <unicode/locid.h>

#include <array>
#include <vector>

#include "formats/locale_data.h"
#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/utf16_text.h"

namespace {

std::u16string FromIcu(const icu::UnicodeString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.getBuffer()), static_cast<size_t>(text.length()));
}

bool GetUserDefaultLocaleName(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetString(MachineLocaleName());
  return true;
}

// A list with one text for every available locale, in the same order for every function:
// its name ("de_DE"), its display name in English or its country's display name in English.
template <std::u16string (*Describe)(const icu::Locale&)>
bool EveryLocale(CMethodCall& call) {
  if (call.Count() != 0) return false;
  int32_t count = 0;
  const icu::Locale* locales = icu::Locale::getAvailableLocales(count);
  if (!locales || count <= 0) return true;
  const auto size = static_cast<uint32_t>(count);
  call.result.SetDimensions(1, &size);
  for (uint32_t i = 0; i < size; ++i) call.result.SetStringAt(i, Describe(locales[i]));
  return true;
}

std::u16string LocaleName(const icu::Locale& locale) { return AsciiToUtf16(locale.getName()); }

std::u16string LocaleDisplayName(const icu::Locale& locale) {
  icu::UnicodeString name;
  return FromIcu(locale.getDisplayName(icu::Locale::getEnglish(), name));
}

std::u16string LocaleCountry(const icu::Locale& locale) {
  icu::UnicodeString name;
  return FromIcu(locale.getDisplayCountry(icu::Locale::getEnglish(), name));
}

constexpr std::array kLocaleMethods = {
    MethodEntry{u"GetUserDefaultLocaleName", "The name of the operator's locale", &GetUserDefaultLocaleName},
    MethodEntry{u"GetSupportedLocaleNames", "The names of every available locale", &EveryLocale<&LocaleName>},
    MethodEntry{u"GetSupportedLocaleDisplayNames", "The English display names of every available locale",
                &EveryLocale<&LocaleDisplayName>},
    MethodEntry{u"GetSupportedLocaleCountries", "The English country names of every available locale",
                &EveryLocale<&LocaleCountry>},
};

}  // namespace

std::span<const MethodEntry> CommonLocaleMethods() { return kLocaleMethods; }
