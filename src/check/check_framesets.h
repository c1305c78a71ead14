#pragma once

#include <string>
#include <string_view>
#include <vector>

// The names of the frame sets a frame-set definition (the text of the "DefaultFrame" setting)
// lays out, read as the runtime reads it: its FRAMESET element and those nested in its cells.
// None for a definition the runtime refuses (empty, not well formed, a frame without a name...).
std::vector<std::u16string> FramesetNames(std::u16string_view definition);
