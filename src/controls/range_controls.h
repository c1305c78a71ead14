#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Controls over a number range, each in a horizontal and a vertical variant: scroll bars and
// sliders, which the operator moves to set "Value", and scales, which only draw the range.
namespace range_properties {

using namespace control_properties;

inline constexpr std::u16string_view kScale = u"Scale";

inline constexpr std::array kStepEntries = {
    Prop(kValue, u"SmallChange", PT_NUMBER, u"1"),
    Prop(kValue, u"LargeChange", PT_NUMBER, u"10"),
};

inline constexpr std::array kScaleEntries = {
    Prop(kScale, u"ScaleCount", PT_INTEGER, u"10", u",1"),    // main divisions
    Prop(kScale, u"SubScaleCount", PT_INTEGER, u"2", u",1"),  // divisions of each main one
    Prop(kScale, u"ScaleColor", PT_COLOR, u"@TextColor"),
    Prop(kScale, u"ShowScaleText", PT_BOOL, u"T"),
};

inline constexpr std::array kSliderEntries = {
    Prop(kFill, u"ThumbColor", PT_COLOR, u"@ButtonColor", {}, 1, 1, kPropertyColor),
    Prop(kFill, u"TrackColor", PT_COLOR, u"@BorderColor", {}, 1, 1, kPropertyColor),
};

inline constexpr std::array kValueEvents = {
    EventInfo{kControl, u"OnValueChanged", u"value"},
};

}  // namespace range_properties

// The tables of the scroll bars; the two directions differ by their clid only.
class CNPScrollControl : public CNPControl {
 public:
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kValueRangeEntries, range_properties::kStepEntries,
      control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(range_properties::kValueEvents);

 protected:
  CNPScrollControl() = default;
};

class CNPHScrollControl : public CNObjectClass<CNPHScrollControl, CNPScrollControl> {
 public:
  static constexpr std::u16string_view kClassId = u"HorizontalScrollBar";
};

class CNPVScrollControl : public CNObjectClass<CNPVScrollControl, CNPScrollControl> {
 public:
  static constexpr std::u16string_view kClassId = u"VerticalScrollBar";
};

// The tables of the scales.
class CNPScaleControl : public CNPControl {
 public:
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::OmitEntries(control_properties::kValueRangeEntries, {u"Value"}),
      range_properties::kScaleEntries, control_properties::kFormatNumberEntries,
      control_properties::kTextLookEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;

 protected:
  CNPScaleControl() = default;
};

class CNPHScaleControl : public CNObjectClass<CNPHScaleControl, CNPScaleControl> {
 public:
  static constexpr std::u16string_view kClassId = u"HorizontalScale";
};

class CNPVScaleControl : public CNObjectClass<CNPVScaleControl, CNPScaleControl> {
 public:
  static constexpr std::u16string_view kClassId = u"VerticalScale";
};

// The tables of the sliders.
class CNPSliderControl : public CNPControl {
 public:
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kValueRangeEntries, range_properties::kStepEntries,
      range_properties::kSliderEntries, control_properties::FillEntries(u"F"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(range_properties::kValueEvents);

 protected:
  CNPSliderControl() = default;
};

class CNPHSliderControl : public CNObjectClass<CNPHSliderControl, CNPSliderControl> {
 public:
  static constexpr std::u16string_view kClassId = u"HorizontalSlider";
};

class CNPVSliderControl : public CNObjectClass<CNPVSliderControl, CNPSliderControl> {
 public:
  static constexpr std::u16string_view kClassId = u"VerticalSlider";
};
