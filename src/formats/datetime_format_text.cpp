#include "formats/datetime_format_text.h"

#include <algorithm>
#include <array>

#include "formats/time_zone.h"
#include "support/utf16_text.h"

namespace {

enum class Field {
  Literal,
  Year,
  Year2,
  Month,
  Day,
  Hour,
  Hour12,
  Minute,
  Second,
  Millisecond,
  AmPm,
  DayName,
  ShortDayName,
  MonthName,
  ShortMonthName,
  DTSep,
  Dst,
  Utc,
};

struct Directive {
  Field field = Field::Literal;
  bool noPad = false;    // "%#"
  char16_t literal = 0;  // Field::Literal
  size_t length = 1;     // code units of the format it takes
};

Field LetterField(char16_t letter) {
  switch (letter) {
    case u'Y':
      return Field::Year;
    case u'y':
      return Field::Year2;
    case u'm':
      return Field::Month;
    case u'd':
      return Field::Day;
    case u'H':
      return Field::Hour;
    case u'I':
      return Field::Hour12;
    case u'M':
      return Field::Minute;
    case u'S':
      return Field::Second;
    case u'f':
      return Field::Millisecond;
    case u'p':
      return Field::AmPm;
    case u'A':
      return Field::DayName;
    case u'a':
      return Field::ShortDayName;
    case u'B':
      return Field::MonthName;
    case u'b':
      return Field::ShortMonthName;
    default:
      return Field::Literal;
  }
}

// The directive or literal character at `at`.
Directive ReadDirective(std::u16string_view format, size_t at) {
  Directive d;
  d.literal = format[at];
  if (format[at] != u'%' || at + 1 >= format.size()) return d;
  const std::u16string_view rest = format.substr(at + 1);
  if (rest.front() == u'%') return {Field::Literal, false, u'%', 2};
  for (const auto& [name, field] : {std::pair{std::u16string_view(u"(DTSep)"), Field::DTSep},
                                    std::pair{std::u16string_view(u"(DST)"), Field::Dst},
                                    std::pair{std::u16string_view(u"(UTC)"), Field::Utc}})
    if (rest.starts_with(name)) return {field, false, 0, name.size() + 1};
  const bool noPad = rest.front() == u'#';
  if (noPad && rest.size() < 2) return d;
  const Field field = LetterField(rest[noPad ? 1 : 0]);
  if (field == Field::Literal) return d;
  return {field, noPad, 0, noPad ? size_t{3} : size_t{2}};
}

bool ShowsUtc(std::u16string_view format) {
  for (size_t at = 0; at < format.size();) {
    const Directive d = ReadDirective(format, at);
    if (d.field == Field::Utc) return true;
    at += d.length;
  }
  return false;
}

// Printed widths; a number field also reads at most this many digits.
size_t Width(Field field) {
  switch (field) {
    case Field::Year:
      return 4;
    case Field::Millisecond:
      return 3;
    default:
      return 2;
  }
}

void AppendNumber(std::u16string& out, int value, size_t width) {
  const std::u16string digits = AsciiToUtf16(std::to_string(value));
  if (digits.size() < width) out.append(width - digits.size(), u'0');
  out += digits;
}

// The longest of the names the text continues with at `at`, ignoring case; -1 when none.
template <size_t N>
int MatchName(std::u16string_view text, size_t& at, const std::array<std::u16string, N>& names) {
  int found = -1;
  size_t longest = 0;
  for (size_t i = 0; i < N; ++i)
    if (!names[i].empty() && names[i].size() > longest &&
        StartsWithIgnoreCaseAscii(text.substr(at), names[i])) {
      found = static_cast<int>(i);
      longest = names[i].size();
    }
  at += longest;
  return found;
}

bool MatchText(std::u16string_view text, size_t& at, std::u16string_view expected) {
  if (!text.substr(at).starts_with(expected)) return false;
  at += expected.size();
  return true;
}

// Regional patterns put no-break spaces where a user types a plain one.
bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

void SkipBlanks(std::u16string_view text, size_t& at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
}

bool ReadNumber(std::u16string_view text, size_t& at, size_t maxDigits, int& value) {
  const size_t start = at;
  value = 0;
  while (at < text.size() && at - start < maxDigits && IsDigitAscii(text[at]))
    value = value * 10 + (text[at++] - u'0');
  return at > start;
}

// Fields read from a text; -1 where the text gave none.
struct ReadFields {
  int year = -1;
  int month = -1;
  int day = -1;
  int hour = 0;
  int hour12 = -1;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int pm = -1;
};

bool ReadField(const CNDateTimeFormat& record, const Directive& d, std::u16string_view text, size_t& at,
               ReadFields& fields) {
  const CNDateNames& names = record.names;
  switch (d.field) {
    case Field::Literal:
      if (IsBlank(d.literal)) {
        SkipBlanks(text, at);
        return true;
      }
      return at < text.size() && text[at++] == d.literal;
    case Field::Year:
      return ReadNumber(text, at, 5, fields.year);
    case Field::Year2:
      if (!ReadNumber(text, at, 2, fields.year)) return false;
      fields.year += fields.year < 50 ? 2000 : 1900;
      return true;
    case Field::Month:
      return ReadNumber(text, at, 2, fields.month);
    case Field::Day:
      return ReadNumber(text, at, 2, fields.day);
    case Field::Hour:
      return ReadNumber(text, at, 2, fields.hour);
    case Field::Hour12:
      return ReadNumber(text, at, 2, fields.hour12);
    case Field::Minute:
      return ReadNumber(text, at, 2, fields.minute);
    case Field::Second:
      return ReadNumber(text, at, 2, fields.second);
    case Field::Millisecond:
      return ReadNumber(text, at, 3, fields.millisecond);
    case Field::AmPm:
      fields.pm = MatchName(text, at, std::array{names.am, names.pm});
      return fields.pm >= 0 || (names.am.empty() && names.pm.empty());
    case Field::DayName:
      return MatchName(text, at, names.dayNames) >= 0;
    case Field::ShortDayName:
      return MatchName(text, at, names.shortDayNames) >= 0;
    case Field::MonthName:
      return (fields.month = MatchName(text, at, names.monthNames) + 1) > 0;
    case Field::ShortMonthName:
      return (fields.month = MatchName(text, at, names.shortMonthNames) + 1) > 0;
    case Field::DTSep:
      if (std::all_of(record.dtSep.begin(), record.dtSep.end(), IsBlank)) {
        SkipBlanks(text, at);
        return true;
      }
      return MatchText(text, at, record.dtSep);
    case Field::Dst:
      if (!record.dst.empty()) MatchText(text, at, record.dst);
      return true;
    case Field::Utc:
      return true;
  }
  return false;
}

}  // namespace

void FormatDateTime(const CNDateTimeFormat& record, FileTime ticks, std::u16string& out) {
  out.clear();
  const std::u16string_view format = record.format;
  const std::u16string_view zone = ShowsUtc(format) ? std::u16string_view(u"UTC") : record.timeZone;
  CRCalendarTime t;
  bool daylight = false;
  if (!ToZoneCalendar(ticks, zone, t, daylight)) return;
  const CNDateNames& names = record.names;
  for (size_t at = 0; at < format.size();) {
    const Directive d = ReadDirective(format, at);
    at += d.length;
    const size_t width = d.noPad ? 1 : Width(d.field);
    switch (d.field) {
      case Field::Literal:
        out += d.literal;
        break;
      case Field::Year:
        AppendNumber(out, t.year, width);
        break;
      case Field::Year2:
        AppendNumber(out, t.year % 100, width);
        break;
      case Field::Month:
        AppendNumber(out, t.month, width);
        break;
      case Field::Day:
        AppendNumber(out, t.day, width);
        break;
      case Field::Hour:
        AppendNumber(out, t.hour, width);
        break;
      case Field::Hour12:
        AppendNumber(out, t.hour % 12 == 0 ? 12 : t.hour % 12, width);
        break;
      case Field::Minute:
        AppendNumber(out, t.minute, width);
        break;
      case Field::Second:
        AppendNumber(out, t.second, width);
        break;
      case Field::Millisecond:
        AppendNumber(out, t.millisecond, width);
        break;
      case Field::AmPm:
        out += t.hour < 12 ? names.am : names.pm;
        break;
      case Field::DayName:
        out += names.dayNames[static_cast<size_t>(t.dayOfWeek)];
        break;
      case Field::ShortDayName:
        out += names.shortDayNames[static_cast<size_t>(t.dayOfWeek)];
        break;
      case Field::MonthName:
        out += names.monthNames[static_cast<size_t>(t.month - 1)];
        break;
      case Field::ShortMonthName:
        out += names.shortMonthNames[static_cast<size_t>(t.month - 1)];
        break;
      case Field::DTSep:
        out += record.dtSep;
        break;
      case Field::Dst:
        if (daylight) out += record.dst;
        break;
      case Field::Utc:
        break;
    }
  }
}

bool ParseDateTime(const CNDateTimeFormat& record, std::u16string_view text, FileTime& out) {
  const std::u16string_view format = record.format;
  const std::u16string_view zone = ShowsUtc(format) ? std::u16string_view(u"UTC") : record.timeZone;
  ReadFields fields;
  size_t at = 0;
  SkipBlanks(text, at);
  for (size_t f = 0; f < format.size();) {
    const Directive d = ReadDirective(format, f);
    f += d.length;
    if (!ReadField(record, d, text, at, fields)) return false;
  }
  SkipBlanks(text, at);
  if (at != text.size()) return false;

  CRCalendarTime t;
  if (fields.year < 0 || fields.month < 0 || fields.day < 0) {
    bool daylight = false;
    if (!ToZoneCalendar(CurrentFileTime(), zone, t, daylight)) return false;
  }
  if (fields.year >= 0) t.year = fields.year;
  if (fields.month >= 0) t.month = fields.month;
  if (fields.day >= 0) t.day = fields.day;
  t.hour = fields.hour12 >= 0 ? fields.hour12 % 12 + (fields.pm == 1 ? 12 : 0) : fields.hour;
  t.minute = fields.minute;
  t.second = fields.second;
  t.millisecond = fields.millisecond;
  return IsValidCalendarTime(t) && FromZoneCalendar(t, zone, out);
}
