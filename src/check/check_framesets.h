#pragma once

#include <string>
#include <string_view>
#include <vector>

// The names of the frame sets a frame-set definition (the text of the "DefaultFrame" setting)
// lays out: its FRAMESET element and those nested in it. None for an empty definition or one
// that is not well formed, which lays out none.
std::vector<std::u16string> FramesetNames(std::u16string_view definition);
