#pragma once

#include <string_view>

#include "screen/pobject.h"

// The object through which scripts reach the mathematical functions as its methods. It has the
// common properties and events only.
class CNPMath : public CNObjectClass<CNPMath, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Math";
  static constexpr auto kProperties = CNPObject::kProperties;
  static constexpr auto kEvents = CNPObject::kEvents;
};
