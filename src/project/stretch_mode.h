#pragma once

#include <cstdint>
#include <string_view>

class CNValue;

// How a form is fitted into the view that shows it. Views, forms and the project's "Stretch"
// setting share these integer codes.
inline constexpr int32_t kStretchNone = 0;            // the form keeps its size
inline constexpr int32_t kStretchFull = 1;            // drawing scaled to the view, per direction
inline constexpr int32_t kStretchKeepRate = 2;        // drawing scaled to fit, one factor
inline constexpr int32_t kStretchResizeFull = 3;      // form resized to the view, per direction
inline constexpr int32_t kStretchResizeKeepRate = 4;  // form resized to fit, aspect kept
inline constexpr int32_t kStretchDefault = 5;         // the project's "Stretch" (also "ROOT")
inline constexpr int32_t kStretchForm = 6;            // the form's own "Stretch"
inline constexpr int32_t kStretchCurrent = 8;         // the mode the view has now

// The code of a mode name, ignoring case: "T" and "TRUE" read as STRETCH_FULL; "F", "FALSE"
// and every unknown text as NONE.
int32_t StretchModeFromText(std::u16string_view text);
// The name of a code; a code without a name prints as "NONE".
std::u16string_view StretchModeName(int32_t code);
// A mode as a value gives it: a text by name, a number as its code (an unnamed number is NONE).
int32_t StretchModeFromValue(const CNValue& value);
// Whether the code is one of the five that fit a form by themselves (NONE to RESIZE_KEEPRATE).
inline bool IsConcreteStretchMode(int32_t code) { return code >= kStretchNone && code <= kStretchResizeKeepRate; }
