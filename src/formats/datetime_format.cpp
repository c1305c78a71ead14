#include "formats/datetime_format.h"

#include <array>

#include "formats/format_values.h"

namespace {

constexpr std::u16string_view kLineBreakWord = u"$RET$";

// Day keys in the order of the record's lists (Sunday first).
constexpr std::array<std::u16string_view, 7> kDayKeys = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                         u"Thursday", u"Friday", u"Saturday"};
constexpr std::array<std::u16string_view, 12> kMonthKeys = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};

// A day or month key, with or without "Short" in front, in lists of names const or not.
template <class Names, size_t N>
auto FindName(std::u16string_view key, const std::array<std::u16string_view, N>& keys, Names& names,
              Names& shortNames) -> decltype(&names[0]) {
  const bool isShort = key.starts_with(u"Short");
  if (isShort) key.remove_prefix(5);
  for (size_t i = 0; i < N; ++i)
    if (keys[i] == key) return isShort ? &shortNames[i] : &names[i];
  return nullptr;
}

// The text field a key names; null for Base, All and unknown keys.
template <class Record>
auto TextField(Record& record, std::u16string_view key) -> decltype(&record.format) {
  if (key == u"Format") return &record.format;
  if (key == u"TimeZone" || key == u"TZ") return &record.timeZone;
  if (key == u"AM") return &record.names.am;
  if (key == u"PM") return &record.names.pm;
  if (key == u"DST") return &record.dst;
  if (key == u"DTSep") return &record.dtSep;
  auto& names = record.names;
  if (auto day = FindName(key, kDayKeys, names.dayNames, names.shortDayNames)) return day;
  return FindName(key, kMonthKeys, names.monthNames, names.shortMonthNames);
}

struct Word {
  std::u16string_view text;
  std::u16string_view directives;  // empty: the regional date or time, see ExpandDateTimeBase
};

constexpr std::array kWords = {
    Word{u"DST", u"%(DST)"}, Word{u"UTC", u"%(UTC)"}, Word{u"DT", {}},   Word{u"MS", u"%f"},
    Word{u"D", {}},          Word{u"T", {}},          Word{u"y", u"%Y"}, Word{u"m", u"%m"},
    Word{u"d", u"%d"},       Word{u"H", u"%H"},       Word{u"M", u"%M"}, Word{u"S", u"%S"},
    Word{u"h", u"%I"},       Word{u"p", u"%p"},       Word{u"w", u"%a"}, Word{u"W", u"%A"},
    Word{u"b", u"%b"},       Word{u"B", u"%B"},
};

}  // namespace

std::u16string ExpandDateTimeBase(std::u16string_view base, const CNLocaleDates& regional) {
  std::u16string format;
  for (size_t i = 0; i < base.size();) {
    const Word* word = nullptr;
    for (const Word& candidate : kWords)
      if (base.substr(i).starts_with(candidate.text)) {
        word = &candidate;
        break;
      }
    if (!word) {
      format += base[i] == u'%' ? u"%%" : std::u16string(1, base[i]);
      ++i;
      continue;
    }
    if (!word->directives.empty()) {
      format += word->directives;
    } else if (word->text == u"DT") {
      format += regional.datePattern + u"%(DTSep)" + regional.timePattern;
    } else {
      format += word->text == u"D" ? regional.datePattern : regional.timePattern;
    }
    i += word->text.size();
  }
  return format;
}

bool SetDateTimeKey(CNDateTimeFormat& record, std::u16string_view key, std::u16string_view value,
                    CNDateTimeFormatContext& context) {
  if (key == u"All") {
    CNDateTimeFormat copy;
    if (!context.ResolveDateTimeFormat(value, copy)) return false;
    record = std::move(copy);
    return true;
  }
  const std::u16string text = ReplaceAll(value, kLineBreakWord, u"\n");
  if (key == u"Base") {
    record.base = text;
    record.format = ExpandDateTimeBase(text, context.RegionalDates());
    return true;
  }
  std::u16string* field = TextField(record, key);
  if (!field) return false;
  *field = text;
  return true;
}

bool GetDateTimeKey(const CNDateTimeFormat& record, std::u16string_view key, std::u16string& value) {
  const std::u16string* field = key == u"Base" ? &record.base : TextField(record, key);
  if (!field) return false;
  value = ReplaceAll(*field, u"\n", kLineBreakWord);
  return true;
}
