#include "values/value_time.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "support/utf16_text.h"

namespace {

// Appends a non-negative number in decimal, zero-padded to at least `width` digits.
void AppendNumber(std::u16string& text, uint64_t value, size_t width) {
  char16_t digits[20];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (; count < width; --width) text += u'0';
  while (count > 0) text += digits[--count];
}

// ---- Absolute local date and time ----
//
// Accepted forms (fields are decimal; the year has 1 to 5 digits, every other field 1 or 2):
//   date                    YYYY/MM/DD or YYYY-MM-DD (the same separator twice)
//   date time               the date, one or more spaces, then the time
//   time                    the time on the current local date
// where time is HH:MM or HH:MM:SS. A time with seconds may end in "." and 1 to 3 digits, read as
// a count of milliseconds (".5" is 5 ms, the way the time text prints it). Every field must be in
// range for a real date and time (no month 13, February 30 or hour 24); anything else fails.

// Reads a run of 1 to maxDigits decimal digits.
bool ReadField(std::u16string_view text, size_t& pos, size_t maxDigits, int& value) {
  const size_t start = pos;
  value = 0;
  while (pos < text.size() && IsDigitAscii(text[pos])) {
    if (pos - start == maxDigits) return false;
    value = value * 10 + (text[pos++] - u'0');
  }
  return pos > start;
}

bool ReadChar(std::u16string_view text, size_t& pos, char16_t c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// time := hour ":" minute [":" second]   (the hour already read)
bool ReadTimeRest(std::u16string_view text, size_t& pos, CRCalendarTime& t, bool& hasSeconds) {
  if (!ReadChar(text, pos, u':') || !ReadField(text, pos, 2, t.minute)) return false;
  hasSeconds = ReadChar(text, pos, u':');
  return !hasSeconds || ReadField(text, pos, 2, t.second);
}

// absolute := date [" "+ time] | time
bool ReadDateTime(std::u16string_view text, CRCalendarTime& t, bool& hasSeconds) {
  size_t pos = 0;
  int first = 0;
  if (!ReadField(text, pos, 5, first)) return false;
  hasSeconds = false;
  if (pos < text.size() && text[pos] == u':') {
    CRCalendarTime today;
    if (!FileTimeToLocalCalendar(CurrentFileTime(), today)) return false;
    t.year = today.year;
    t.month = today.month;
    t.day = today.day;
    t.hour = first;
    return ReadTimeRest(text, pos, t, hasSeconds) && pos == text.size();
  }
  t.year = first;
  if (pos >= text.size() || (text[pos] != u'/' && text[pos] != u'-')) return false;
  const char16_t separator = text[pos++];
  if (!ReadField(text, pos, 2, t.month) || !ReadChar(text, pos, separator) ||
      !ReadField(text, pos, 2, t.day)) {
    return false;
  }
  if (pos == text.size()) return true;
  if (!ReadChar(text, pos, u' ')) return false;
  while (ReadChar(text, pos, u' ')) {
  }
  return ReadField(text, pos, 2, t.hour) && ReadTimeRest(text, pos, t, hasSeconds) && pos == text.size();
}

bool ParseAbsoluteTime(std::u16string_view text, FileTime& out) {
  CRCalendarTime t;
  const size_t dot = text.rfind(u'.');
  if (dot != std::u16string_view::npos) {
    const std::u16string_view digits = text.substr(dot + 1);
    size_t pos = 0;
    if (!ReadField(digits, pos, 3, t.millisecond) || pos != digits.size()) return false;
    text = text.substr(0, dot);
  }
  bool hasSeconds = false;
  if (!ReadDateTime(text, t, hasSeconds)) return false;
  if (dot != std::u16string_view::npos && !hasSeconds) return false;
  return LocalCalendarToFileTime(t, out);
}

// ---- Relative expression ----

// The largest time span a term may add or subtract.
constexpr int64_t kMaxSpanSeconds = 3'615'897LL * 86'400;

enum class Start { kBase, kMinute, kHour, kDay, kWeek, kMonth, kYear };

struct Head {
  std::u16string_view name;
  Start start;
};

constexpr Head kHeads[] = {
    {u"NOW", Start::kBase}, {u"SECOND", Start::kBase}, {u"MINUTE", Start::kMinute}, {u"HOUR", Start::kHour},
    {u"DAY", Start::kDay},  {u"WEEK", Start::kWeek},   {u"MONTH", Start::kMonth},   {u"YEAR", Start::kYear},
};

enum class Unit { kSecond, kMinute, kHour, kDay, kWeek, kMonth, kYear };

// The arithmetic works on the local wall-clock calendar, stepped through zone-free tick counts
// (the UTC conversions), so "+1d" keeps the time of day across a daylight-saving change. Only the
// final calendar is converted through the zone.

// Moves t by a signed number of seconds; false when the result leaves the calendar range.
bool AddSeconds(CRCalendarTime& t, int64_t seconds) {
  FileTime ticks = 0;
  if (!UtcCalendarToFileTime(t, ticks)) return false;
  const uint64_t delta = static_cast<uint64_t>(std::llabs(seconds)) * kTicksPerSecond;
  if (seconds < 0 && delta > ticks) return false;
  ticks = seconds < 0 ? ticks - delta : ticks + delta;
  return FileTimeToUtcCalendar(ticks, t);
}

bool ApplyStart(Start start, CRCalendarTime& t) {
  if (start == Start::kBase) return true;
  t.second = 0;
  t.millisecond = 0;
  if (start == Start::kMinute) return true;
  t.minute = 0;
  if (start == Start::kHour) return true;
  t.hour = 0;
  if (start == Start::kWeek) {
    // Zone-free ticks of a local calendar give its local weekday.
    CRCalendarTime weekday = t;
    FileTime ticks = 0;
    if (!UtcCalendarToFileTime(t, ticks) || !FileTimeToUtcCalendar(ticks, weekday)) return false;
    return AddSeconds(t, -static_cast<int64_t>(weekday.dayOfWeek) * 86'400);
  }
  if (start == Start::kMonth || start == Start::kYear) t.day = 1;
  if (start == Start::kYear) t.month = 1;
  return true;
}

// Recognises the unit at pos: "S", "M" (minutes unless followed by "O"), "H", "D", "W", "MO", "Y".
bool ReadUnit(std::u16string_view text, size_t& pos, Unit& unit) {
  static constexpr std::pair<char16_t, Unit> kLetters[] = {
      {u'S', Unit::kSecond}, {u'M', Unit::kMinute}, {u'H', Unit::kHour},
      {u'D', Unit::kDay},    {u'W', Unit::kWeek},   {u'Y', Unit::kYear},
  };
  const char16_t letter = ToUpperAscii(text[pos]);
  if (letter == u'M' && pos + 1 < text.size() && ToUpperAscii(text[pos + 1]) == u'O') {
    unit = Unit::kMonth;
    pos += 2;
    return true;
  }
  for (const auto& [candidate, candidateUnit] : kLetters) {
    if (candidate == letter) {
      unit = candidateUnit;
      ++pos;
      return true;
    }
  }
  return false;
}

// Stores a year computed in 64 bits and checks the result; far-off years clamp to invalid ones.
bool SetYear(CRCalendarTime& t, int64_t year) {
  t.year = static_cast<int>(std::clamp<int64_t>(year, 0, 100'000));
  return IsValidCalendarTime(t);
}

bool AddMonths(CRCalendarTime& t, bool add, int64_t count) {
  const int64_t years = count / 12;
  const int months = static_cast<int>(count % 12);
  int64_t year = t.year;
  if (add) {
    year += t.month + months > 12 ? years + 1 : years;
    t.month = t.month + months > 12 ? t.month + months - 12 : t.month + months;
  } else {
    year -= t.month <= months ? years + 1 : years;
    t.month = t.month <= months ? t.month + 12 - months : t.month - months;
  }
  return SetYear(t, year);
}

bool AddYears(CRCalendarTime& t, bool add, int64_t count) {
  // A subtraction down to year 0 or below fails like every other year before the range.
  return SetYear(t, add ? t.year + count : t.year - count);
}

bool ApplyUnit(CRCalendarTime& t, Unit unit, int sign, int32_t number) {
  static constexpr int64_t kUnitSeconds[] = {1, 60, 3'600, 86'400, 7 * 86'400};
  const bool add = sign > 0;
  switch (unit) {
    case Unit::kMonth:
      return AddMonths(t, add, number);
    case Unit::kYear:
      return AddYears(t, add, number);
    default: {
      const int64_t seconds = number * kUnitSeconds[static_cast<int>(unit)];
      return seconds <= kMaxSpanSeconds && AddSeconds(t, add ? seconds : -seconds);
    }
  }
}

// terms := { " " | sign | digits | unit | skipped }   (see EvaluateRelativeTime)
bool ApplyTerms(std::u16string_view text, CRCalendarTime& t) {
  int sign = 0;             // the sign in force; 0 until the first one
  bool termSigned = false;  // a sign has been read since the last unit
  int32_t number = 0;       // the pending number; 0 counts as none
  size_t pos = 0;
  while (pos < text.size()) {
    const char16_t c = text[pos];
    if (c == u' ') {
      ++pos;
    } else if (c == u'+' || c == u'-') {
      if (termSigned) return false;
      sign = c == u'+' ? 1 : -1;
      termSigned = true;
      ++pos;
    } else if (IsDigitAscii(c)) {
      if (sign == 0 || number != 0) return false;
      size_t end = pos;
      while (end < text.size() && IsDigitAscii(text[end])) ++end;
      number = ParseLeadingInt32(text.substr(pos, end - pos));
      pos = end;
    } else if (number == 0) {
      return false;
    } else {
      Unit unit;
      if (!ReadUnit(text, pos, unit)) {
        ++pos;  // not a unit: skipped, the number stays pending
        continue;
      }
      if (!ApplyUnit(t, unit, sign, number)) return false;
      number = 0;
      termSigned = false;
    }
  }
  return true;
}

}  // namespace

std::u16string TimeText(FileTime ticks, bool delimiters) {
  // A tick count without a local calendar (within a zone offset of either end of the range)
  // prints as its UTC calendar; one beyond the range has no date at all and prints as zeros,
  // which the literal parser rejects rather than reading back as some other time.
  CRCalendarTime t;
  const bool known = FileTimeToLocalCalendar(ticks, t) || FileTimeToUtcCalendar(ticks, t);
  std::u16string text;
  if (delimiters) text += u'#';
  if (known) {
    AppendNumber(text, t.year, 4);
    text += u'/';
    AppendNumber(text, t.month, 2);
    text += u'/';
    AppendNumber(text, t.day, 2);
    text += u' ';
    AppendNumber(text, t.hour, 2);
    text += u':';
    AppendNumber(text, t.minute, 2);
    text += u':';
    AppendNumber(text, t.second, 2);
    const uint64_t milliseconds = ticks / kTicksPerMillisecond % 1'000;
    if (milliseconds != 0) {
      text += u'.';
      AppendNumber(text, milliseconds, 1);
    }
  } else {
    text += u"0000/00/00 00:00:00";
  }
  if (delimiters) text += u'#';
  return text;
}

bool ParseTimeLiteral(std::u16string_view text, FileTime& out) {
  out = 0;
  std::u16string_view inner = text;
  if (!text.empty() && text.front() == u'#') {
    if (text.size() < 3 || text.back() != u'#') return false;
    inner = text.substr(1, text.size() - 2);
  }
  FileTime result = 0;
  bool ok = false;
  if (!inner.empty() && IsDigitAscii(inner.front())) {
    ok = ParseAbsoluteTime(inner, result);
  } else if (EqualsIgnoreCaseAscii(inner, u"now")) {
    result = CurrentFileTime();
    ok = true;
  } else if (EqualsIgnoreCaseAscii(inner, u"past") || EqualsIgnoreCaseAscii(inner, u"future")) {
    CRCalendarTime t;
    t.year = EqualsIgnoreCaseAscii(inner, u"past") ? 2000 : 2999;
    ok = LocalCalendarToFileTime(t, result);
  } else {
    CRCalendarTime now;
    ok = FileTimeToLocalCalendar(CurrentFileTime(), now) && EvaluateRelativeTime(inner, now, result);
  }
  if (ok) out = result;
  return ok;
}

// expression := head terms
// head  := "NOW" | "SECOND" | "MINUTE" | "HOUR" | "DAY" | "WEEK" | "MONTH" | "YEAR"  (prefix, any case)
// terms := spaces anywhere; a sign starts a term; digits are its number (using the sign still in
//          force after the previous unit); a unit letter applies it; other characters after a
//          number are skipped. Every intermediate result must be a valid calendar time (years
//          1601..30827), so for instance February 29 plus one year fails even if a later term
//          would have come back to a leap year.
bool EvaluateRelativeTime(std::u16string_view expression, const CRCalendarTime& baseLocal, FileTime& out) {
  out = 0;
  if (!IsValidCalendarTime(baseLocal)) return false;
  for (const Head& head : kHeads) {
    if (!StartsWithIgnoreCaseAscii(expression, head.name)) continue;
    CRCalendarTime t = baseLocal;
    FileTime result = 0;
    if (!ApplyStart(head.start, t) || !ApplyTerms(expression.substr(head.name.size()), t) ||
        !LocalCalendarToFileTime(t, result)) {
      return false;
    }
    out = result;
    return true;
  }
  return false;
}
