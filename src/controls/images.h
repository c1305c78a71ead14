#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "controls/shape_properties.h"
#include "controls/switch_control.h"
#include "screen/pobject.h"

// Pictures from image files: a plain image, a light that shows one of two images by its value,
// a switch that shows one of two images by its switch value, and a selection that shows one
// image of a list by its index.
//
// Each draws its image inside its rectangle as "ImageStretch" says: at the image's own size
// (times the drawing scale) from the top-left corner, stretched over the rectangle, or as large
// as fits with its proportions kept, centred. An image that cannot be had draws nothing.
namespace image_properties {

using namespace control_properties;

inline constexpr std::u16string_view kImageStretchItems = u"NONE,STRETCH_FULL,STRETCH_KEEPRATE";
enum ImageStretch : int32_t { IMAGE_STRETCH_NONE = 0, IMAGE_STRETCH_FULL = 1, IMAGE_STRETCH_KEEPRATE = 2 };

inline constexpr std::array kImageDrawEntries = JoinProperties(
    std::array{
        Prop(kImage, u"ImageStretch", PT_ENUM, u"STRETCH_FULL", kImageStretchItems),
        Prop(kImage, u"ImageTransparentColor", PT_COLOR, u""),  // "": no colour is transparent
    },
    shape_properties::kAlphaEntries);

// The image shown while the light or the switch is on; "ImageFile" is shown while it is off.
inline constexpr std::array kImageOnEntries = {
    Prop(kImage, u"ImageFileOn", PT_FILE, u"", kImageFilter),
};

inline constexpr std::array kLightEntries =
    JoinProperties(kImageOnEntries, std::array{Prop(u"Light", u"LightValue", PT_BOOL, u"F")});

// "ImageFilePush" left empty: pressing shows no image of its own. An "ImageFileOn" left empty
// shows "ImageFile" in both states.
inline constexpr std::array kSwitchImageEntries =
    JoinProperties(kImageOnEntries, std::array{Prop(kImage, u"ImageFilePush", PT_FILE, u"", kImageFilter)});

// "ImageFiles": the names one per line (or separated by ";").
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

 protected:
  void OnDraw(CNDrawContext& context) override;
};

class CNPImageLight : public CNObjectClass<CNPImageLight, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ImageLight";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kImageFileEntries, image_properties::kLightEntries,
      image_properties::kImageDrawEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;

 protected:
  void OnDraw(CNDrawContext& context) override;
};

class CNPImageSwitch : public CNObjectClass<CNPImageSwitch, CNPSwitchControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ImageSwitch";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, control_properties::kImageFileEntries,
      image_properties::kSwitchImageEntries, image_properties::kImageDrawEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  void OnDraw(CNDrawContext& context) override;
};

class CNPImageSelect : public CNObjectClass<CNPImageSelect, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ImageSelect";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      image_properties::kSelectEntries, image_properties::kImageDrawEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;

 protected:
  void OnDraw(CNDrawContext& context) override;
};
