#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// An object without drawing that searches tag names or the objects of the open forms for a
// text and hands the hits to its script.
class CNPSearch : public CNObjectClass<CNPSearch, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Search";
  static constexpr std::array kSearchEntries = {
      Prop(u"Search", u"SearchText", PT_STRING, u""),
      Prop(u"Search", u"SearchTarget", PT_ENUM, u"TAG", u"TAG,OBJECT"),
      Prop(u"Search", u"MatchCase", PT_BOOL, u"F"),
      Prop(u"Search", u"MaxResults", PT_INTEGER, u"100", u",1"),
  };
  static constexpr auto kProperties = control_properties::WithCommonProperties(kSearchEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(std::array{
      EventInfo{control_properties::kControl, u"OnSearchDone", u"results"},
  });
};
