#pragma once

#include <string_view>
#include <vector>

// The names of a comma-separated list ("BASEMODE,", "Alarm, Trend"), each without the blanks
// around it; empty names are left out.
std::vector<std::u16string_view> SplitNameList(std::u16string_view list);
