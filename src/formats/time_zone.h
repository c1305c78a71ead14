#pragma once

#include <string_view>

#include "support/file_time.h"

// Calendar time in a named zone. A zone is empty for the machine's own zone, "UTC", a zone id
// ("Europe/Berlin") or a Windows zone name ("Tokyo Standard Time"); a name that is none of
// these counts as the machine's zone.

// False for ticks outside the calendar range. daylight tells whether daylight saving time is in
// force at that moment.
bool ToZoneCalendar(FileTime ticks, std::u16string_view zone, CRCalendarTime& out, bool& daylight);
// False for a calendar time that is not valid.
bool FromZoneCalendar(const CRCalendarTime& time, std::u16string_view zone, FileTime& out);
