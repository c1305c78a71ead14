// The common functions on times: parts of a time in local time or a named zone, relative times,
// named date-time formats and the time zones the computer knows.
#include <unicode/timezone.h>
#include <unicode/strenum.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "formats/format_store.h"
#include "formats/time_zone.h"
#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/utf16_text.h"
#include "values/value_time.h"

namespace {

constexpr char16_t kDateTimeFormat[] = u"@DATETIME";
constexpr char16_t kLocaleFormat[] = u"@LOCALE";

std::u16string FromIcu(const icu::UnicodeString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.getBuffer()), static_cast<size_t>(text.length()));
}

// A zone by name as the zone conversions look it up: the machine's (empty), "UTC", a zone id or
// a Windows zone name. Null for a name that is none of these.
std::unique_ptr<icu::TimeZone> FindZone(std::u16string_view name) {
  if (name.empty()) return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createDefault());
  const icu::UnicodeString id(name.data(), static_cast<int32_t>(name.size()));
  std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(id));
  if (zone && *zone != icu::TimeZone::getUnknown()) return zone;
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString iana;
  icu::TimeZone::getIDForWindowsID(id, nullptr, iana, status);
  if (U_FAILURE(status) || iana.isEmpty()) return nullptr;
  zone.reset(icu::TimeZone::createTimeZone(iana));
  return zone && *zone != icu::TimeZone::getUnknown() ? std::move(zone) : nullptr;
}

int DayOfYear(const CRCalendarTime& t) {
  int day = t.day;
  for (int month = 1; month < t.month; ++month) day += DaysInMonth(t.year, month);
  return day;
}

// "GetYear", "GetMonth", "GetDay", "GetHour", "GetMinute"(time[, time zone]).
template <int CRCalendarTime::*Part>
bool ZonePart(CMethodCall& call) {
  if (call.Count() < 1) return false;
  const std::u16string zone = call.Count() > 1 ? ArgText(call.Arg(1)) : std::u16string();
  const bool found = FindZone(zone) != nullptr;
  ForEachElement(call.result, call.Arg(0), [&](CNValue& result, uint32_t i, const ValueElement& e) {
    CRCalendarTime t;
    bool daylight = false;
    if (found && e.kind == VK_TIME && ToZoneCalendar(e.t, zone, t, daylight)) result.SetNumberAt(i, t.*Part);
  });
  return true;
}

// "GetSecond", "GetDayOfWeek", "GetDayOfYear"(time): in local time; -1 when the time cannot be
// converted; elements that are not times stay without value.
template <int (*Part)(const CRCalendarTime&)>
bool LocalPart(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind != VK_TIME) return;
    CRCalendarTime t;
    result.SetNumberAt(i, FileTimeToLocalCalendar(e.t, t) ? Part(t) : -1);
  });
}

int SecondOf(const CRCalendarTime& t) { return t.second; }
int DayOfWeekOf(const CRCalendarTime& t) { return t.dayOfWeek + 1; }

// "GetMilliseconds"(time).
bool GetMilliseconds(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind == VK_TIME) result.SetNumberAt(i, static_cast<double>(e.t / kTicksPerMillisecond % 1000));
  });
}

// "DST"(time[, time zone]): whether daylight saving time is in force at that time.
bool DaylightSaving(CMethodCall& call) {
  const std::u16string zone = call.Count() > 1 ? ArgText(call.Arg(1)) : std::u16string();
  return EachElement(call, 1, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    CRCalendarTime t;
    bool daylight = false;
    if (e.kind == VK_TIME && ToZoneCalendar(e.t, zone, t, daylight)) result.SetBoolAt(i, daylight);
  });
}

// "CTime"(value) element by element, or "CTime"(year, month, day, hour, minute, second[, ms]).
bool CTime(CMethodCall& call) {
  if (call.Count() == 1) {
    ForEachElement(call.result, call.Arg(0), [](CNValue& result, uint32_t i, const ValueElement& e) {
      FileTime ticks = 0;
      if (e.kind == VK_TIME) ticks = e.t;
      else ParseTimeLiteral(ElementText(e), ticks);
      result.SetTimeAt(i, ticks);
    });
    return true;
  }
  if (call.Count() != 6 && call.Count() != 7) return false;
  CRCalendarTime t;
  int* parts[] = {&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second};
  for (size_t k = 0; k < 6; ++k) *parts[k] = ArgInt32(call.Arg(k));
  const int64_t ms = call.Count() == 7 ? ArgInt32(call.Arg(6)) : 0;
  FileTime ticks = 0;
  int64_t total = 0;
  if (LocalCalendarToFileTime(t, ticks) && (total = static_cast<int64_t>(ticks) + ms * static_cast<int64_t>(kTicksPerMillisecond)) >= 0)
    call.result.SetTime(static_cast<FileTime>(total));
  else
    call.result.SetNA();
  return true;
}

// "GetRelativeTime"(time, expression).
bool GetRelativeTime(CMethodCall& call) {
  const std::u16string expression = call.Count() == 2 ? ArgText(call.Arg(1)) : std::u16string();
  return EachElement(call, 2, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    CRCalendarTime base;
    FileTime ticks = 0;
    if (FileTimeToLocalCalendar(ElementAsTime(e), base) && EvaluateRelativeTime(expression, base, ticks))
      result.SetTimeAt(i, ticks);
  });
}

// "TS"/"CTimeStr" and "TL"/"CTimeToLocale"(time[, format string]): the text under a named
// date-time format.
template <const char16_t* DefaultFormat>
bool TimeToText(CMethodCall& call) {
  const std::u16string format = call.Count() > 1 ? ArgText(call.Arg(1)) : DefaultFormat;
  CNFormatStore& store = CNFormatStore::Global();
  return EachElement(call, 1, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind != VK_NA) result.SetStringAt(i, store.FormatTime(format, ElementAsTime(e)));
  });
}

// "LT"/"CLocaleToTime"(text[, format string]): the time the format reads, no value when none.
bool CLocaleToTime(CMethodCall& call) {
  const std::u16string format = call.Count() > 1 ? ArgText(call.Arg(1)) : kLocaleFormat;
  CNFormatStore& store = CNFormatStore::Global();
  return EachElement(call, 1, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    FileTime ticks = 0;
    if (store.ParseTime(format, ElementText(e), ticks)) result.SetTimeAt(i, ticks);
  });
}

// "CTimeSpanStr"(seconds): "HH:MM:SS" with as many hours as it takes, "-" in front of a
// negative span; fractions of a second are dropped.
bool CTimeSpanStr(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    const double seconds = std::trunc(ElementAsNumber(e));
    if (e.kind == VK_NA || !(std::fabs(seconds) < 1e15)) return;
    const auto total = static_cast<int64_t>(std::fabs(seconds));
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%02lld:%02lld:%02lld", seconds < 0 ? "-" : "",
                  static_cast<long long>(total / 3600), static_cast<long long>(total / 60 % 60),
                  static_cast<long long>(total % 60));
    result.SetStringAt(i, AsciiToUtf16(buffer));
  });
}

// "GetClientTime", "GetCurrentTime"(): the computer's time now.
bool CurrentTime(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetTime(CurrentFileTime());
  return true;
}

// "IsCurrentTime"(time[, tolerance in seconds]): whether the time lies within the tolerance
// (default 1 second) of now.
bool IsCurrentTime(CMethodCall& call) {
  const double tolerance = call.Count() > 1 ? std::fabs(call.Arg(1).GetNumber(0)) : 1.0;
  const FileTime now = CurrentFileTime();
  return EachElement(call, 1, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind != VK_TIME) return;
    const double apart = std::fabs(static_cast<double>(e.t) - static_cast<double>(now)) / kTicksPerSecond;
    result.SetBoolAt(i, apart <= tolerance);
  });
}

// "GetTickTime"(): the millisecond clock, wrapping at 32 bits.
bool GetTickTime(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetNumber(CRTickCount());
  return true;
}

// "GetSupportedTimeZone"(): the zone ids the computer knows, as a list.
bool GetSupportedTimeZone(CMethodCall& call) {
  if (call.Count() != 0) return false;
  std::unique_ptr<icu::StringEnumeration> ids(icu::TimeZone::createEnumeration());
  std::vector<std::u16string> names;
  UErrorCode status = U_ZERO_ERROR;
  for (const icu::UnicodeString* id; ids && (id = ids->snext(status)) && U_SUCCESS(status);)
    names.push_back(FromIcu(*id));
  if (names.empty()) return true;
  const auto count = static_cast<uint32_t>(names.size());
  call.result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) call.result.SetStringAt(i, names[i]);
  return true;
}

// "GetTimeZoneInfo"([time zone]): c(zone id, standard offset from UTC in minutes, daylight
// saving in minutes); the empty value when there is no zone of that name.
bool GetTimeZoneInfo(CMethodCall& call) {
  if (call.Count() > 1) return false;
  const std::unique_ptr<icu::TimeZone> zone = FindZone(call.Count() ? ArgText(call.Arg(0)) : std::u16string());
  if (!zone) return true;
  icu::UnicodeString id;
  zone->getID(id);
  constexpr uint32_t kThree = 3;
  call.result.SetDimensions(1, &kThree);
  call.result.SetStringAt(0, FromIcu(id));
  call.result.SetNumberAt(1, zone->getRawOffset() / 60000.0);
  call.result.SetNumberAt(2, zone->getDSTSavings() / 60000.0);
  return true;
}

constexpr std::array kTimeMethods = {
    MethodEntry{u"TL", "Short for CTimeToLocale", &TimeToText<kLocaleFormat>},
    MethodEntry{u"CTimeToLocale", "A time as text under a named locale date-time format",
                &TimeToText<kLocaleFormat>},
    MethodEntry{u"LT", "Short for CLocaleToTime", &CLocaleToTime},
    MethodEntry{u"CLocaleToTime", "The time a text written in a named date-time format holds",
                &CLocaleToTime},
    MethodEntry{u"DST", "Whether daylight saving time is in force at a time", &DaylightSaving},
    MethodEntry{u"TS", "Short for CTimeStr", &TimeToText<kDateTimeFormat>},
    MethodEntry{u"CTimeStr", "A time as text under a named date-time format", &TimeToText<kDateTimeFormat>},
    MethodEntry{u"CTimeSpanStr", "Seconds as an HH:MM:SS text", &CTimeSpanStr},
    MethodEntry{u"CTime",
                "Texts read as time literals, or the local time of year, month, day, hour, minute, second",
                &CTime},
    MethodEntry{u"GetRelativeTime", "A relative time expression evaluated against each time",
                &GetRelativeTime},
    MethodEntry{u"GetYear", "The year of each time, in local time or a named zone",
                &ZonePart<&CRCalendarTime::year>},
    MethodEntry{u"GetMonth", "The month (1 to 12) of each time, in local time or a named zone",
                &ZonePart<&CRCalendarTime::month>},
    MethodEntry{u"GetDay", "The day of the month of each time, in local time or a named zone",
                &ZonePart<&CRCalendarTime::day>},
    MethodEntry{u"GetHour", "The hour (0 to 23) of each time, in local time or a named zone",
                &ZonePart<&CRCalendarTime::hour>},
    MethodEntry{u"GetMinute", "The minute of each time, in local time or a named zone",
                &ZonePart<&CRCalendarTime::minute>},
    MethodEntry{u"GetSecond", "The second of each time in local time", &LocalPart<&SecondOf>},
    MethodEntry{u"GetMilliseconds", "The milliseconds of each time in local time", &GetMilliseconds},
    MethodEntry{u"GetDayOfWeek", "The day of the week of each time, 1 for Sunday to 7 for Saturday",
                &LocalPart<&DayOfWeekOf>},
    MethodEntry{u"GetDayOfYear", "The day of the year of each time, 1 for 1 January", &LocalPart<&DayOfYear>},
    MethodEntry{u"GetClientTime", "The computer's time now", &CurrentTime},
    MethodEntry{u"GetCurrentTime", "The computer's time now (as GetClientTime)", &CurrentTime},
    MethodEntry{u"IsCurrentTime", "Whether a time lies within a tolerance of now", &IsCurrentTime},
    MethodEntry{u"GetTickTime", "The millisecond clock, wrapping at 32 bits", &GetTickTime},
    MethodEntry{u"GetSupportedTimeZone", "The ids of the time zones the computer knows",
                &GetSupportedTimeZone},
    MethodEntry{u"GetTimeZoneInfo", "A time zone's id, standard offset and daylight saving in minutes",
                &GetTimeZoneInfo},
};

}  // namespace

std::span<const MethodEntry> CommonTimeMethods() { return kTimeMethods; }
