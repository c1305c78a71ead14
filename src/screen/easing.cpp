#include "screen/easing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

using Curve = double (*)(double);

double Pow(double t, int n) {
  double r = 1;
  while (n-- > 0) r *= t;
  return r;
}

// The in/out/in-out triple of a power curve.
template <int N>
double InPower(double t) {
  return Pow(t, N);
}
template <int N>
double OutPower(double t) {
  return 1 - Pow(1 - t, N);
}
template <int N>
double InOutPower(double t) {
  return t < 0.5 ? Pow(2, N - 1) * Pow(t, N) : 1 - Pow(-2 * t + 2, N) / 2;
}

constexpr double kPi = std::numbers::pi;
constexpr double kBack = 1.70158;
constexpr double kBackInOut = kBack * 1.525;

double Linear(double t) {
  return t;
}
double InSine(double t) {
  return 1 - std::cos(t * kPi / 2);
}
double OutSine(double t) {
  return std::sin(t * kPi / 2);
}
double InOutSine(double t) {
  return -(std::cos(kPi * t) - 1) / 2;
}
double InExpo(double t) {
  return t == 0 ? 0 : std::pow(2, 10 * t - 10);
}
double OutExpo(double t) {
  return t == 1 ? 1 : 1 - std::pow(2, -10 * t);
}
double InOutExpo(double t) {
  if (t == 0 || t == 1) return t;
  return t < 0.5 ? std::pow(2, 20 * t - 10) / 2 : (2 - std::pow(2, -20 * t + 10)) / 2;
}
double InCirc(double t) {
  return 1 - std::sqrt(1 - t * t);
}
double OutCirc(double t) {
  return std::sqrt(1 - (t - 1) * (t - 1));
}
double InOutCirc(double t) {
  return t < 0.5 ? (1 - std::sqrt(1 - 4 * t * t)) / 2 : (std::sqrt(1 - Pow(-2 * t + 2, 2)) + 1) / 2;
}
double InBack(double t) {
  return (kBack + 1) * t * t * t - kBack * t * t;
}
double OutBack(double t) {
  return 1 + (kBack + 1) * Pow(t - 1, 3) + kBack * Pow(t - 1, 2);
}
double InOutBack(double t) {
  return t < 0.5 ? (Pow(2 * t, 2) * ((kBackInOut + 1) * 2 * t - kBackInOut)) / 2
                 : (Pow(2 * t - 2, 2) * ((kBackInOut + 1) * (t * 2 - 2) + kBackInOut) + 2) / 2;
}
double OutBounce(double t) {
  constexpr double n = 7.5625;
  constexpr double d = 2.75;
  if (t < 1 / d) return n * t * t;
  if (t < 2 / d) return t -= 1.5 / d, n * t * t + 0.75;
  if (t < 2.5 / d) return t -= 2.25 / d, n * t * t + 0.9375;
  return t -= 2.625 / d, n * t * t + 0.984375;
}
double InBounce(double t) {
  return 1 - OutBounce(1 - t);
}
double InOutBounce(double t) {
  return t < 0.5 ? (1 - OutBounce(1 - 2 * t)) / 2 : (1 + OutBounce(2 * t - 1)) / 2;
}

struct Easing {
  std::u16string_view name;
  Curve curve;
};

constexpr std::array<Easing, kEasingCount> kEasings = {{
    {u"linear", Linear},
    {u"easeInSine", InSine},
    {u"easeOutSine", OutSine},
    {u"easeInOutSine", InOutSine},
    {u"easeInQuad", InPower<2>},
    {u"easeOutQuad", OutPower<2>},
    {u"easeInOutQuad", InOutPower<2>},
    {u"easeInCubic", InPower<3>},
    {u"easeOutCubic", OutPower<3>},
    {u"easeInOutCubic", InOutPower<3>},
    {u"easeInQuart", InPower<4>},
    {u"easeOutQuart", OutPower<4>},
    {u"easeInOutQuart", InOutPower<4>},
    {u"easeInQuint", InPower<5>},
    {u"easeOutQuint", OutPower<5>},
    {u"easeInOutQuint", InOutPower<5>},
    {u"easeInExpo", InExpo},
    {u"easeOutExpo", OutExpo},
    {u"easeInOutExpo", InOutExpo},
    {u"easeInCirc", InCirc},
    {u"easeOutCirc", OutCirc},
    {u"easeInOutCirc", InOutCirc},
    {u"easeInBack", InBack},
    {u"easeOutBack", OutBack},
    {u"easeInOutBack", InOutBack},
    {u"easeInBounce", InBounce},
    {u"easeOutBounce", OutBounce},
    {u"easeInOutBounce", InOutBounce},
}};

}  // namespace

std::u16string_view EasingName(int32_t index) {
  return index >= 0 && index < kEasingCount ? kEasings[static_cast<size_t>(index)].name
                                            : std::u16string_view();
}

int32_t FindEasing(std::u16string_view name) {
  for (int32_t i = 0; i < kEasingCount; ++i)
    if (kEasings[static_cast<size_t>(i)].name == name) return i;
  return -1;
}

double Ease(int32_t index, double t) {
  if (index < 0 || index >= kEasingCount) index = kEasingDefault;
  t = std::isnan(t) ? 0 : std::clamp(t, 0.0, 1.0);
  return kEasings[static_cast<size_t>(index)].curve(t);
}
