#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/ref_cnt.h"
#include "values/value.h"

class CNPObject;

// Animations move properties of an object from their values at the start to target values over
// a duration, along one of the named easing curves (easing.h). Choices of this runtime:
// - Numbers (integer and number properties) and colours ("#RRGGBB", channel by channel) can be
//   animated; any other property, or one the object does not have, refuses the whole request.
// - Each step writes every property through SetProperty, so binds and redraws follow; integer
//   properties receive rounded values, and the last step writes the target values exactly.
// - A property that a newer animation takes over leaves the older one; an older animation left
//   with no property has been stopped ("OnAnimateDone" with "STOP").
// - The start values are the properties' values when the animation is requested, and the clock
//   starts then; "OnAnimateStart" fires at once, with the animation's message.

// One animated property: start and end as numbers, or colours as Windows COLORREFs.
struct PROP {
  std::u16string name;
  double start = 0;
  double end = 0;
  bool integer = false;
  bool color = false;
};

// One animation request: its properties, timing, curve and message.
struct ANIMATION : CRRefCnt {
  std::vector<PROP> props;
  uint32_t startTime = 0;  // millisecond clock
  uint32_t duration = 0;   // milliseconds; 0 completes at the next step
  int32_t easing = 0;      // easing curve index
  std::u16string msg;
};

// A property and the value it is to reach.
struct CNAnimationTarget {
  std::u16string name;
  CNValue end;
};

// The running animations of one object, oldest first.
class CNObjectAnimations {
 public:
  // Starts an animation of the targets (see above); false, starting nothing, when a target
  // cannot be animated or there is none. An easing index out of range uses the default curve.
  bool Start(CNPObject& object, std::span<const CNAnimationTarget> targets, uint32_t duration, int32_t easing,
             std::u16string_view msg, uint32_t now);
  // Writes the properties' values for now; animations that reach their end complete.
  void Step(CNPObject& object, uint32_t now);
  // Stops every animation where it stands, each with "OnAnimateDone" "STOP".
  void Stop(CNPObject& object);
  // Forgets every animation without events (the object is closing).
  void Drop() { m_animations.clear(); }
  bool IsRunning() const { return !m_animations.empty(); }
  uint32_t GetCount() const { return static_cast<uint32_t>(m_animations.size()); }

 private:
  bool Contains(const ANIMATION* animation) const;
  // Removes the named property from every running animation; returns those left empty.
  std::vector<CRPtr<ANIMATION>> TakeOver(std::u16string_view property);

  std::vector<CRPtr<ANIMATION>> m_animations;
};
