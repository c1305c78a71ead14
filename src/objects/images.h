#pragma once

#include <array>
#include <string_view>

#include "objects/control_properties.h"
#include "objects/pobject.h"
#include "objects/shape_properties.h"
#include "objects/switch_control.h"

// Pictures from image files: a plain image, a light that shows one of two images by its value,
// a switch that shows one of two images by its switch value, and a selection that shows one
// image of a list by its index.
namespace image_properties {

using namespace control_properties;

inline constexpr std::array kImageDrawEntries = JoinProperties(
    std::array{
        Prop(kImage, u"ImageStretch", PT_ENUM, u"STRETCH_FULL", u"NONE,STRETCH_FULL,STRETCH_KEEPRATE"),
        Prop(kImage, u"ImageTransparentColor", PT_COLOR, u""),  // "": no colour is transparent
    },
    shape_properties::kAlphaEntries);

// The image shown while the light or the switch is on; "ImageFile" is shown while it is off.
inline constexpr std::array kImageOnEntries = {
    Prop(kImage, u"ImageFileOn", PT_FILE, u"", kImageFilter),
};

inline constexpr std::array kLightEntries =
    JoinProperties(kImageOnEntries, std::array{Prop(u"Light", u"LightValue", PT_BOOL, u"F")});

// "ImageFilePush" left empty: pressing shows no image of its own.
inline constexpr std::array kSwitchImageEntries =
    JoinProperties(kImageOnEntries, std::array{Prop(kImage, u"ImageFilePush", PT_FILE, u"", kImageFilter)});

inline constexpr std::array kSelectEntries = {
    Prop(kImage, u"ImageFiles", PT_FILES, u"", kImageFilter),
    Prop(kImage, u"ImageIndex", PT_INTEGER, u"0", u",0"),  // position in "ImageFiles"
};

}  // namespace image_properties

class CNPImageSimple : public CNObjectClass<CNPImageSimple, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Image";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kImageFileEntries, image_properties::kImageDrawEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPImageLight : public CNObjectClass<CNPImageLight, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ImageLight";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kImageFileEntries, image_properties::kLightEntries,
      image_properties::kImageDrawEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPImageSwitch : public CNObjectClass<CNPImageSwitch, CNPSwitchControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ImageSwitch";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, control_properties::kImageFileEntries,
      image_properties::kSwitchImageEntries, image_properties::kImageDrawEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};

class CNPImageSelect : public CNObjectClass<CNPImageSelect, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ImageSelect";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      image_properties::kSelectEntries, image_properties::kImageDrawEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
