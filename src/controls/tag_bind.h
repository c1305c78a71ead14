#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// An object without drawing that ties a tag to the form: its binds and its "OnTagValueChanged"
// handler work on "TagName" like those of any screen object.
class CNPTagBind : public CNObjectClass<CNPTagBind, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"TagBind";
  static constexpr std::array kTagEntries = {
      Prop(u"Tag", u"TagName", PT_TAG_INOUT, u""),
  };
  static constexpr auto kProperties = control_properties::WithCommonProperties(kTagEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
