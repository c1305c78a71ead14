#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Menus placed on a form: a menu button that drops its items down, and a side menu that lists
// them in a column. Both take their items from a menu configuration.
namespace menu_properties {

using namespace control_properties;

inline constexpr std::u16string_view kMenu = u"Menu";

inline constexpr std::array kMenuEntries = {
    Prop(kMenu, u"MenuConf", PT_MENU_CONF, u""),
    Prop(kMenu, u"ItemHeight", PT_INTEGER, u"28", u",1"),
};

inline constexpr std::array kSideMenuEntries = {
    Prop(kMenu, u"MenuSide", PT_ENUM, u"LEFT", u"LEFT,RIGHT"),
    Prop(kMenu, u"Collapsed", PT_BOOL, u"F"),
};

inline constexpr std::array kMenuEvents = {
    EventInfo{kControl, u"OnMenuSelected", u"menuId,text"},
};

}  // namespace menu_properties

class CNPMenu : public CNObjectClass<CNPMenu, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Menu";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kTextEntries, menu_properties::kMenuEntries,
      control_properties::kSelectedColorEntries, control_properties::BorderEntries(u"T"),
      control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(menu_properties::kMenuEvents);
};

class CNPSideMenu : public CNObjectClass<CNPSideMenu, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"SideMenu";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      control_properties::kTextLookEntries, menu_properties::kMenuEntries,
      control_properties::kSelectedColorEntries, menu_properties::kSideMenuEntries,
      control_properties::BorderEntries(u"F"), control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = control_properties::WithCommonEvents(menu_properties::kMenuEvents);
};
