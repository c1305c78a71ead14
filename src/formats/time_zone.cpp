#include "formats/time_zone.h"

#include <unicode/timezone.h>

#include <ctime>
#include <memory>

namespace {

constexpr std::u16string_view kUtc = u"UTC";
constexpr int64_t kTicksPerMillisecondSigned = static_cast<int64_t>(kTicksPerMillisecond);

std::unique_ptr<icu::TimeZone> OpenZone(std::u16string_view name) {
  if (name.empty()) return nullptr;
  const icu::UnicodeString id(name.data(), static_cast<int32_t>(name.size()));
  std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(id));
  if (zone && *zone != icu::TimeZone::getUnknown()) return zone;
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString iana;
  icu::TimeZone::getIDForWindowsID(id, nullptr, iana, status);
  if (U_FAILURE(status) || iana.isEmpty()) return nullptr;
  zone.reset(icu::TimeZone::createTimeZone(iana));
  if (zone && *zone != icu::TimeZone::getUnknown()) return zone;
  return nullptr;
}

// Milliseconds since 1970 and back; FILETIME ticks fit in 63 bits.
double UnixMilliseconds(FileTime ticks) {
  return static_cast<double>((static_cast<int64_t>(ticks) - static_cast<int64_t>(kUnixEpochTicks)) /
                             kTicksPerMillisecondSigned);
}

bool MachineCalendar(FileTime ticks, CRCalendarTime& out, bool& daylight) {
  const int64_t sinceEpoch = static_cast<int64_t>(ticks) - static_cast<int64_t>(kUnixEpochTicks);
  const int64_t perSecond = static_cast<int64_t>(kTicksPerSecond);
  const time_t seconds = static_cast<time_t>(sinceEpoch / perSecond - (sinceEpoch % perSecond < 0 ? 1 : 0));
  std::tm local{};
  if (!localtime_r(&seconds, &local)) return false;
  out.year = local.tm_year + 1900;
  out.month = local.tm_mon + 1;
  out.day = local.tm_mday;
  out.dayOfWeek = local.tm_wday;
  out.hour = local.tm_hour;
  out.minute = local.tm_min;
  out.second = local.tm_sec;
  out.millisecond = static_cast<int>(ticks / kTicksPerMillisecond % 1000);
  daylight = local.tm_isdst > 0;
  return IsValidCalendarTime(out);
}

}  // namespace

bool ToZoneCalendar(FileTime ticks, std::u16string_view zone, CRCalendarTime& out, bool& daylight) {
  daylight = false;
  if (ticks > static_cast<FileTime>(INT64_MAX)) return false;
  if (zone == kUtc) return FileTimeToUtcCalendar(ticks, out);
  const std::unique_ptr<icu::TimeZone> named = OpenZone(zone);
  if (!named) return MachineCalendar(ticks, out, daylight);
  UErrorCode status = U_ZERO_ERROR;
  int32_t raw = 0;
  int32_t saving = 0;
  named->getOffset(UnixMilliseconds(ticks), false, raw, saving, status);
  if (U_FAILURE(status)) return false;
  daylight = saving != 0;
  const int64_t shifted = static_cast<int64_t>(ticks) + int64_t{raw + saving} * kTicksPerMillisecondSigned;
  return shifted >= 0 && FileTimeToUtcCalendar(static_cast<FileTime>(shifted), out);
}

bool FromZoneCalendar(const CRCalendarTime& time, std::u16string_view zone, FileTime& out) {
  if (zone == kUtc) return UtcCalendarToFileTime(time, out);
  const std::unique_ptr<icu::TimeZone> named = OpenZone(zone);
  if (!named) return LocalCalendarToFileTime(time, out);
  FileTime asUtc = 0;
  if (!UtcCalendarToFileTime(time, asUtc)) return false;
  UErrorCode status = U_ZERO_ERROR;
  int32_t raw = 0;
  int32_t saving = 0;
  named->getOffset(UnixMilliseconds(asUtc), true, raw, saving, status);
  if (U_FAILURE(status)) return false;
  const int64_t shifted = static_cast<int64_t>(asUtc) - int64_t{raw + saving} * kTicksPerMillisecondSigned;
  if (shifted < 0) return false;
  out = static_cast<FileTime>(shifted);
  return true;
}
