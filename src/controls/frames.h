#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Frames that group other objects visually: a flat frame with an optional caption, and a frame
// drawn raised or sunk in three dimensions.
class CNPFrame : public CNObjectClass<CNPFrame, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Frame";
  // "Text" is the caption written into the top edge.
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kTextEntries, control_properties::BorderEntries(u"T"),
      control_properties::FillEntries(u"F"));
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNP3DFrame : public CNObjectClass<CNP3DFrame, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"3DFrame";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kBorder3DEntries,
      std::array{Prop(control_properties::kBorder, u"BorderWidth", PT_INTEGER, u"2", u",1")},
      control_properties::FillEntries(u"F"));
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
