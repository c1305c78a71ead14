#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Controls that offer a list of texts to choose from: the list box shows them all, the combo
// box drops them down.
namespace list_properties {

using namespace control_properties;

inline constexpr std::u16string_view kList = u"List";

inline constexpr std::array kListEntries = {
    Prop(kList, u"Items", PT_TEXT, u""),               // one item per line
    Prop(kList, u"SelectedIndex", PT_INTEGER, u"-1"),  // -1: nothing selected
    Prop(kList, u"ItemHeight", PT_INTEGER, u"20", u",1"),
};

inline constexpr std::array kComboEntries = {
    Prop(kList, u"DropDownCount", PT_INTEGER, u"8", u",1"),
};

inline constexpr std::array kListEvents = {
    EventInfo{kControl, u"OnSelChanged", u"index,text"},
};

}  // namespace list_properties

class CNPListBox : public CNObjectClass<CNPListBox, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ListBox";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kTextLookEntries, list_properties::kListEntries,
      control_properties::kSelectedColorEntries, control_properties::BorderEntries(u"T"),
      control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(list_properties::kListEvents);
};

class CNPComboBox : public CNObjectClass<CNPComboBox, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"ComboBox";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kTextLookEntries, list_properties::kListEntries,
      control_properties::kSelectedColorEntries, list_properties::kComboEntries,
      control_properties::BorderEntries(u"T"), control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(list_properties::kListEvents);
};
