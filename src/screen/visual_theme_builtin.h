#pragma once

#include <string_view>

// The built-in theme file (UTF-8), compiled in from resources/themes/visual_themes.conf: every
// theme set starts from it, and a project's theme file is read after it.
std::string_view BuiltInVisualThemeText();
