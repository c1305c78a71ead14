#pragma once

#include <cstdint>
#include <string_view>

// The named easing curves of animations, after Robert Penner's easing equations, by index.
// Each maps the elapsed share of an animation (0 to 1) to the share of the way travelled; every
// curve gives 0 at 0 and 1 at 1 (the "Back" curves overshoot in between).
inline constexpr int32_t kEasingCount = 28;
inline constexpr int32_t kEasingDefault = 17;  // "easeOutExpo"

// The curve's name ("linear", "easeInSine", ... "easeInOutBounce"); empty out of range.
std::u16string_view EasingName(int32_t index);
// The index of a curve name (compared exactly); -1 when unknown.
int32_t FindEasing(std::u16string_view name);
// Curve index at t; t is clamped to 0..1 and an unknown index uses the default curve.
double Ease(int32_t index, double t);
