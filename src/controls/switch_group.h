#pragma once

#include <string_view>

class CNObject;

// Groups of buttons of which one is on at a time (toggle buttons with a "GroupObject", radio
// buttons). A member names its group object in "GroupObject"; the group object's "GroupValue"
// holds the "GroupThisValue" of the member that is on. The group object is usually one of the
// buttons (it may name itself), but any object with a "GroupValue" property will do.
//
// The name is looked up among the member's siblings first, then in the member's whole form
// (depth first, in child order), so that a group inside a group collection may reuse a name
// another group of the form has.
class CNSwitchGroup {
 public:
  static constexpr std::u16string_view kGroupValue = u"GroupValue";

  // The object the member's "GroupObject" names; null when the text is empty or names nothing.
  static CNObject* FindGroupObject(const CNObject& member);
  // A member turned on: its "GroupThisValue" goes into the group object's "GroupValue", then
  // "OnGroupValueChanged" fires on the group object with that value.
  static void Select(CNObject& member);
  // The group object's "GroupValue" changed (through a member, a bind or a script): every member
  // whose "GroupThisValue" equals it turns on, every other member turns off. Only values that
  // differ are written, as "SwitchValue" properties.
  static void FollowGroupValue(CNObject& group);
};
