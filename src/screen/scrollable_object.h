#pragma once

#include <array>

#include "screen/pobject.h"

// A screen object whose content can be larger than its area and is scrolled inside it.
class CNPScrollableObject : public CNPControl {
 public:
  // The scroll position of the content: run-time values, never written to the file.
  static constexpr std::array kScrollPositionEntries = {
      Prop(u"View", u"ScrollPosX", PT_INTEGER, nullptr, {}, 0, 1),
      Prop(u"View", u"ScrollPosY", PT_INTEGER, nullptr, {}, 0, 1),
  };
};
