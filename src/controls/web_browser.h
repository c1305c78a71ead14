#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// A web page shown inside a form.
class CNPWebBrowser : public CNObjectClass<CNPWebBrowser, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"WebBrowser";
  static constexpr std::array kWebEntries = {
      Prop(u"Web", u"Url", PT_STRING, u""),
      Prop(u"Web", u"ShowScrollBar", PT_BOOL, u"T"),
  };
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(kWebEntries, control_properties::BorderEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(std::array{
      EventInfo{control_properties::kControl, u"OnNavigateComplete", u"url"},
  });
};
