#pragma once

#include <string_view>

// The built-in default format files, compiled in from resources/formats. Each is read first, and
// a project's own format text is read after it.
std::string_view DefaultNumberFormatText();
std::string_view DefaultDateTimeFormatText();
std::string_view DefaultBlinkFormatText();
