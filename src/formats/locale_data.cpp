#include "formats/locale_data.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>

#include <cstdlib>
#include <memory>

#include "support/utf16_text.h"

namespace {

std::u16string FromIcu(const icu::UnicodeString& text) {
  if (text.isBogus() || text.length() == 0) return {};
  return std::u16string(text.getBuffer(), static_cast<size_t>(text.length()));
}

icu::UnicodeString ToIcu(std::u16string_view text) {
  return icu::UnicodeString(text.data(), static_cast<int32_t>(text.size()));
}

bool IsCLocale(std::u16string_view name) {
  return name.empty() || name == u"C" || name == u"POSIX";
}

// Where the minus goes in a decimal pattern's negative part ("#,##0.###;(#,##0.###)"): the
// NegativeNumberFormat value, 1 when the pattern has no negative part.
int32_t NegativeOrder(std::u16string_view pattern) {
  const size_t semicolon = pattern.find(u';');
  if (semicolon == std::u16string_view::npos) return 1;
  const std::u16string_view negative = pattern.substr(semicolon + 1);
  const size_t first = negative.find_first_of(u"#0");
  const size_t last = negative.find_last_of(u"#0");
  if (first == std::u16string_view::npos) return 1;
  const std::u16string_view prefix = negative.substr(0, first);
  const std::u16string_view suffix = negative.substr(last + 1);
  const auto isBlank = [](char16_t c) { return c == u' ' || c == u'\u00A0' || c == u'\u202F'; };
  if (prefix.find(u'(') != std::u16string_view::npos) return 0;
  const size_t minusBehind = suffix.find(u'-');
  if (minusBehind != std::u16string_view::npos)
    return minusBehind > 0 && isBlank(suffix[minusBehind - 1]) ? 4 : 3;
  return !prefix.empty() && isBlank(prefix.back()) ? 2 : 1;
}

bool LoadNumbers(const icu::Locale& locale, CNLocaleNumbers& out) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DecimalFormatSymbols symbols(locale, status);
  if (U_FAILURE(status)) return false;
  const auto first = [&](icu::DecimalFormatSymbols::ENumberFormatSymbol which, char16_t fallback) {
    const icu::UnicodeString& text = symbols.getConstSymbol(which);
    return text.length() > 0 ? text.charAt(0) : fallback;
  };
  out.decimalSymbol = first(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol, out.decimalSymbol);
  out.thousandSymbol = first(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol, out.thousandSymbol);
  const std::u16string minus = FromIcu(symbols.getConstSymbol(icu::DecimalFormatSymbols::kMinusSignSymbol));
  if (!minus.empty()) out.negativeSign = minus;

  std::unique_ptr<icu::NumberFormat> format(icu::NumberFormat::createInstance(locale, status));
  if (const auto* decimal = dynamic_cast<const icu::DecimalFormat*>(format.get());
      decimal && U_SUCCESS(status)) {
    icu::UnicodeString pattern;
    out.negativeFormat = NegativeOrder(FromIcu(decimal->toPattern(pattern)));
    out.leadingZero = decimal->getMinimumIntegerDigits() > 0;
  }
  return true;
}

// Names from ICU's list, starting at `first`; left alone when the list is short.
template <size_t N>
void CopyNames(const icu::UnicodeString* names, int32_t count, int32_t first,
               std::array<std::u16string, N>& out) {
  if (!names || count < first + static_cast<int32_t>(N)) return;
  for (size_t i = 0; i < N; ++i) out[i] = FromIcu(names[first + static_cast<int32_t>(i)]);
}

bool LoadDates(const icu::Locale& locale, CNLocaleDates& out) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DateFormatSymbols symbols(locale, status);
  if (U_FAILURE(status)) return false;
  using Symbols = icu::DateFormatSymbols;
  int32_t count = 0;
  const icu::UnicodeString* names = nullptr;
  // Week days count from 1 for Sunday; months from 0.
  names = symbols.getWeekdays(count, Symbols::FORMAT, Symbols::WIDE);
  CopyNames(names, count, 1, out.names.dayNames);
  names = symbols.getWeekdays(count, Symbols::FORMAT, Symbols::ABBREVIATED);
  CopyNames(names, count, 1, out.names.shortDayNames);
  names = symbols.getMonths(count, Symbols::FORMAT, Symbols::WIDE);
  CopyNames(names, count, 0, out.names.monthNames);
  names = symbols.getMonths(count, Symbols::FORMAT, Symbols::ABBREVIATED);
  CopyNames(names, count, 0, out.names.shortMonthNames);
  const icu::UnicodeString* amPm = symbols.getAmPmStrings(count);
  if (amPm && count >= 2) {
    out.names.am = FromIcu(amPm[0]);
    out.names.pm = FromIcu(amPm[1]);
  }

  std::unique_ptr<icu::DateTimePatternGenerator> generator(
      icu::DateTimePatternGenerator::createInstance(locale, status));
  if (U_FAILURE(status)) return true;
  const auto best = [&](std::u16string_view skeleton, std::u16string& pattern) {
    UErrorCode bestStatus = U_ZERO_ERROR;
    const icu::UnicodeString found = generator->getBestPattern(ToIcu(skeleton), bestStatus);
    if (U_SUCCESS(bestStatus) && found.length() > 0) pattern = DirectivesFromIcuPattern(FromIcu(found));
  };
  best(u"yyyyMMdd", out.datePattern);
  best(u"jjmmss", out.timePattern);
  return true;
}

// The directive for `count` repetitions of an ICU pattern letter; empty for letters not shown.
std::u16string_view DirectiveFor(char16_t letter, size_t count) {
  switch (letter) {
    case u'y':
    case u'u':
    case u'Y':
      return count == 2 ? u"%y" : u"%Y";
    case u'M':
    case u'L':
      return count == 1 ? u"%#m" : count == 2 ? u"%m" : count == 3 ? u"%b" : u"%B";
    case u'd':
      return count == 1 ? u"%#d" : u"%d";
    case u'H':
    case u'k':
      return count == 1 ? u"%#H" : u"%H";
    case u'h':
    case u'K':
      return count == 1 ? u"%#I" : u"%I";
    case u'm':
      return count == 1 ? u"%#M" : u"%M";
    case u's':
      return count == 1 ? u"%#S" : u"%S";
    case u'S':
      return u"%f";
    case u'a':
    case u'b':
    case u'B':
      return u"%p";
    case u'E':
    case u'e':
    case u'c':
      return count <= 3 ? u"%a" : u"%A";
    default:
      return {};
  }
}

}  // namespace

std::u16string DirectivesFromIcuPattern(std::u16string_view pattern) {
  std::u16string out;
  const auto literal = [&out](char16_t c) {
    out += c;
    if (c == u'%') out += u'%';
  };
  bool quoted = false;  // inside '...'; '' is one quote, inside or out
  for (size_t i = 0; i < pattern.size();) {
    const char16_t c = pattern[i];
    if (c == u'\'') {
      const bool doubled = i + 1 < pattern.size() && pattern[i + 1] == u'\'';
      if (doubled)
        out += u'\'';
      else
        quoted = !quoted;
      i += doubled ? 2 : 1;
    } else if (quoted || !IsAlphaAscii(c)) {
      literal(c);
      ++i;
    } else {
      size_t end = i;
      while (end < pattern.size() && pattern[end] == c) ++end;
      out += DirectiveFor(c, end - i);
      i = end;
    }
  }
  return out;
}

CNLocaleData LoadLocaleData(std::u16string_view name) {
  CNLocaleData data;
  data.name = name;
  if (IsCLocale(name)) return data;
  const icu::Locale locale(Utf16ToUtf8(name).c_str());
  if (locale.isBogus()) return data;
  CNLocaleData loaded = data;
  if (!LoadNumbers(locale, loaded.numbers) || !LoadDates(locale, loaded.dates)) return data;
  return loaded;
}

std::u16string MachineLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::string_view name(value);
    name = name.substr(0, name.find_first_of(".@"));
    return name.empty() ? u"C" : AsciiToUtf16(name);
  }
  return u"C";
}
