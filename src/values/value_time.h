#pragma once

#include <string>
#include <string_view>

#include "support/file_time.h"

// Local-time text of a tick count: "%Y/%m/%d %H:%M:%S" with ".%u" milliseconds when they are
// not 0; with delimiters the text is enclosed in "#".
std::u16string TimeText(FileTime ticks, bool delimiters);

// Reads a time literal, with or without the enclosing "#": an absolute local date and time,
// "now", "past", "future", or a relative expression against the current local time.
// Returns false and sets out to 0 when the text is none of these.
bool ParseTimeLiteral(std::u16string_view text, FileTime& out);

// Evaluates a relative expression such as "day-1d" or "month + 1mo" against a local base time.
// Returns false when the expression is malformed or its result is not a valid time.
bool EvaluateRelativeTime(std::u16string_view expression, const CRCalendarTime& baseLocal, FileTime& out);
