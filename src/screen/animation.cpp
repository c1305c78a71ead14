#include "screen/animation.h"

#include <algorithm>
#include <cmath>

#include "objects/property_codec.h"
#include "screen/easing.h"
#include "screen/pobject.h"

namespace {

constexpr std::u16string_view kComplete = u"COMPLETE";
constexpr std::u16string_view kStop = u"STOP";

// The property's value as a colour, through the property's own conversion.
bool ReadColor(const PropertyInfo& info, const CNValue& value, double& color) {
  CNValue converted;
  uint32_t colorRef = 0;
  if (!ConvertPropertyValue(info, value, converted) || !ParseColorText(converted.GetStringView(0), colorRef))
    return false;
  color = colorRef;
  return true;
}

// Start and end of one property; false when it cannot be animated.
bool MakeProp(const CNPObject& object, const CNAnimationTarget& target, PROP& prop) {
  const PropertyInfo* info = object.FindPropertyInfo(target.name);
  CNValue current;
  if (!info || !object.GetProperty(target.name, current)) return false;
  prop.name = target.name;
  switch (info->type) {
    case PT_INTEGER:
    case PT_NUMBER:
      prop.integer = info->type == PT_INTEGER;
      prop.start = current.GetNumber(0);
      prop.end = target.end.GetNumber(0);
      return std::isfinite(prop.start) && std::isfinite(prop.end);
    case PT_COLOR:
      prop.color = true;
      return ReadColor(*info, current, prop.start) && ReadColor(*info, target.end, prop.end);
    default:
      return false;
  }
}

double Channel(double colorRef, int shift) {
  return static_cast<double>(static_cast<uint32_t>(colorRef) >> shift & 0xFF);
}

// The value of prop at the eased share of the way.
void Interpolate(const PROP& prop, double share, CNValue& value) {
  if (prop.color) {
    uint32_t colorRef = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const double from = Channel(prop.start, shift);
      const double channel =
          std::clamp(std::round(from + (Channel(prop.end, shift) - from) * share), 0.0, 255.0);
      colorRef |= static_cast<uint32_t>(channel) << shift;
    }
    value.SetString(ColorText(colorRef));
    return;
  }
  const double number = share == 1 ? prop.end : prop.start + (prop.end - prop.start) * share;
  value.SetNumber(prop.integer ? std::round(number) : number);
}

void FireDone(CNPObject& object, std::u16string_view state, const ANIMATION& animation) {
  CNValue args[2];
  args[0].SetString(state);
  args[1].SetString(animation.msg);
  object.FireEvent(u"OnAnimateDone", args, 2);
}

}  // namespace

bool CNObjectAnimations::Contains(const ANIMATION* animation) const {
  return std::any_of(m_animations.begin(), m_animations.end(),
                     [&](const CRPtr<ANIMATION>& a) { return a.Get() == animation; });
}

std::vector<CRPtr<ANIMATION>> CNObjectAnimations::TakeOver(std::u16string_view property) {
  std::vector<CRPtr<ANIMATION>> emptied;
  for (const CRPtr<ANIMATION>& animation : m_animations) {
    if (std::erase_if(animation->props, [&](const PROP& p) { return p.name == property; }) &&
        animation->props.empty())
      emptied.push_back(animation);
  }
  std::erase_if(m_animations, [](const CRPtr<ANIMATION>& a) { return a->props.empty(); });
  return emptied;
}

bool CNObjectAnimations::Start(CNPObject& object, std::span<const CNAnimationTarget> targets,
                               uint32_t duration, int32_t easing, std::u16string_view msg, uint32_t now) {
  if (targets.empty()) return false;
  auto animation = CRPtr<ANIMATION>::Make();
  animation->props.resize(targets.size());
  for (size_t i = 0; i < targets.size(); ++i)
    if (!MakeProp(object, targets[i], animation->props[i])) return false;
  animation->startTime = now;
  animation->duration = duration;
  animation->easing = easing >= 0 && easing < kEasingCount ? easing : kEasingDefault;
  animation->msg = msg;

  std::vector<CRPtr<ANIMATION>> stopped;
  for (const PROP& prop : animation->props) {
    std::vector<CRPtr<ANIMATION>> emptied = TakeOver(prop.name);
    stopped.insert(stopped.end(), emptied.begin(), emptied.end());
  }
  m_animations.push_back(animation);
  for (const CRPtr<ANIMATION>& old : stopped) FireDone(object, kStop, *old);
  CNValue arg;
  arg.SetString(animation->msg);
  object.FireEvent(u"OnAnimateStart", &arg, 1);
  return true;
}

void CNObjectAnimations::Step(CNPObject& object, uint32_t now) {
  // Writing properties and firing events may run scripts that start or stop animations.
  const std::vector<CRPtr<ANIMATION>> walk = m_animations;
  CNValue value;
  for (const CRPtr<ANIMATION>& animation : walk) {
    if (!Contains(animation.Get())) continue;
    const uint32_t elapsed = now - animation->startTime;
    const bool done = elapsed >= animation->duration;
    const double share =
        done ? 1.0 : Ease(animation->easing, static_cast<double>(elapsed) / animation->duration);
    const std::vector<PROP> props = animation->props;
    for (const PROP& prop : props) {
      Interpolate(prop, share, value);
      object.SetProperty(prop.name, value);
      if (!Contains(animation.Get())) break;
    }
    if (!done || !Contains(animation.Get())) continue;
    std::erase(m_animations, animation);
    FireDone(object, kComplete, *animation);
  }
}

void CNObjectAnimations::Stop(CNPObject& object) {
  const std::vector<CRPtr<ANIMATION>> stopped = std::exchange(m_animations, {});
  for (const CRPtr<ANIMATION>& animation : stopped) FireDone(object, kStop, *animation);
}
