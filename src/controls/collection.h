#pragma once

#include <array>
#include <string_view>

#include "controls/collection_base.h"
#include "controls/control_properties.h"

// A group of objects inside a form; it may nest further groups.
namespace collection_properties {

inline constexpr std::u16string_view kInnerFrame = u"InnerFrame";

// A frame drawn over the children, inside the group's rectangle.
inline constexpr std::array kInnerFrameEntries = {
    Prop(kInnerFrame, u"InnerFrame", PT_BOOL, u"F"),
    Prop(kInnerFrame, u"InnerFrameColor", PT_COLOR, u"@BorderColor"),
    Prop(kInnerFrame, u"InnerFrameWidth", PT_INTEGER, u"1", u",1"),
};

}  // namespace collection_properties

class CNPCollection : public CNObjectClass<CNPCollection, CNPCollectionBase> {
 public:
  static constexpr std::u16string_view kClassId = u"Group";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      common_properties::kFocusFrameEntries, switch_properties::kSwitchEntries,
      collection_properties::kInnerFrameEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  // The children, then the inner frame over them.
  void OnDraw(CNDrawContext& context) override;
};
