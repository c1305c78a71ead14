#pragma once

#include <string>
#include <string_view>

#include "formats/datetime_format.h"
#include "support/file_time.h"

// The directives of a date-time format; "#" after "%" drops the leading zero of a number:
//   %Y year          %y year in two digits     %m %#m month     %d %#d day
//   %H %#H hour 0-23 %I %#I hour 1-12          %M %#M minute    %S %#S second
//   %f milliseconds in three digits            %p the AM or PM text
//   %A %a day name and short day name          %B %b month name and short month name
//   %(DTSep) the DTSep text                    %(DST) the DST text while daylight saving is in force
//   %(UTC) nothing, but the whole time is shown in UTC
//   %% a percent sign
// Anything else, also an unknown directive, is copied as it stands.

// The time in the record's zone (UTC with %(UTC)) as text. Ticks outside the calendar range give
// an empty text.
void FormatDateTime(const CNDateTimeFormat& record, FileTime ticks, std::u16string& out);

// Reads a text written with the record's format: numbers of up to their printed width, names
// in any case, a blank (also a no-break space) of the format matching any run of blanks. A date
// that is not given is today's in the record's zone; a time that is not given is 00:00:00.
// False when the text does not follow the format or the date is not valid.
bool ParseDateTime(const CNDateTimeFormat& record, std::u16string_view text, FileTime& out);
