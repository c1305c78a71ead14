#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// An object without drawing that gives scripts the date and time in a chosen time zone and
// format.
class CNPDateTime : public CNObjectClass<CNPDateTime, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"DateTime";
  static constexpr std::array kDateTimeEntries = {
      Prop(u"DateTime", u"TimeZone", PT_TIME_ZONE, u""),  // "": the computer's own zone
  };
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(kDateTimeEntries, control_properties::kFormatDateTimeEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
