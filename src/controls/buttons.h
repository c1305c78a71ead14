#pragma once

#include <array>
#include <string_view>

#include "controls/shape_properties.h"
#include "controls/switch_control.h"
#include "controls/switch_group.h"
#include "screen/object_text_draw.h"

// The buttons through which operators switch values: the command button and the toggle button,
// the check box and the radio button. Their colours come from the visual theme.
namespace button_properties {

using namespace shape_properties;

inline constexpr std::u16string_view kLight = u"Light";
inline constexpr std::u16string_view kGroup = u"Group";
inline constexpr std::u16string_view kMark = u"Mark";

// When the button looks pushed (sunk, in "FillColorPush"): never, while a press holds it, or
// while "SwitchValue" is on.
inline constexpr std::u16string_view kPushTypeItems = u"NONE,MOUSE,VALUE";
enum PushType : int32_t { PUSH_NONE = 0, PUSH_MOUSE = 1, PUSH_VALUE = 2 };

inline constexpr std::array kPushTypeEntries = {
    Prop(switch_properties::kSwitch, u"PushType", PT_ENUM, u"MOUSE", kPushTypeItems),
};

inline constexpr std::array kTextAndFontEntries = OmitEntries(kTextEntries, {u"TextColor"});

inline constexpr std::array kButtonTextColorEntries = {
    Prop(kText, u"TextColor", PT_COLOR, u"@ButtonTextColor"),
};

// The text colour while "SwitchValue" is on.
inline constexpr std::array kTextColorOnEntries = {
    Prop(kText, u"TextColorOn", PT_COLOR, u"@ButtonTextColor"),
};

inline constexpr std::array kButtonTextLayoutEntries =
    JoinProperties(kTextLineSpaceEntries, kTextCenterEntries,
                   std::array{
                       Prop(kText, u"TextAlignX", PT_ENUM, u"CENTER", kAlignXItems),
                       Prop(kText, u"TextPaddingLeft", PT_INTEGER, u"0"),
                       Prop(kText, u"TextPaddingRight", PT_INTEGER, u"0"),
                   });

inline constexpr std::array kBorder3DColorEntries = OmitEntries(kBorder3DEntries, {u"BorderStyle"});

inline constexpr std::array kButtonBorderHeadEntries =
    JoinProperties(BorderEntries(u"T"), kBorder3DColorEntries);

inline constexpr std::array kButtonBorderStyleEntries = {
    Prop(kBorder, u"BorderStyle", PT_BORDER_STYLE, u"@BorderStyle3", u"FLAT,3D_FRAME,3D_RAISE1,3D_RAISE2"),
};

// The toggle button can also look like a tab of a tab strip.
inline constexpr std::array kToggleBorderStyleEntries = {
    Prop(kBorder, u"BorderStyle", PT_BORDER_STYLE, u"@BorderStyle3",
         u"FLAT,3D_FRAME,3D_RAISE1,3D_RAISE2,TABTOP,TABBOTTOM"),
};

// The part of the face that is filled: none, all, or a strip "FillSize" wide along one side
// (the rest of the face is not painted).
inline constexpr std::u16string_view kFillTypeItems = u"NONE,FULL,TOP,BOTTOM,LEFT,RIGHT";
enum FillType : int32_t { FILL_NONE = 0, FILL_FULL = 1, FILL_TOP = 2, FILL_BOTTOM = 3, FILL_LEFT = 4, FILL_RIGHT = 5 };

inline constexpr std::array kButtonFillEntries =
    JoinProperties(std::array{Prop(kFill, u"FillColor", PT_COLOR, u"@ButtonColor", {}, 1, 1, kPropertyColor)},
                   kPlainFillStyleEntries,
                   std::array{
                       Prop(kFill, u"FillColorOn", PT_COLOR, u"@ButtonPushColor", {}, 1, 1, kPropertyColor),
                       Prop(kFill, u"FillColorPush", PT_COLOR, u"@ButtonPushColor", {}, 1, 1, kPropertyColor),
                       Prop(kFill, u"FillColorHover", PT_COLOR, u"@HoverColor", {}, 1, 1, kPropertyColor),
                       Prop(kFill, u"FillType", PT_ENUM, u"FULL", kFillTypeItems),
                       Prop(kFill, u"FillSize", PT_INTEGER, u"0"),
                   });

// A lamp on the face, inset by the four distances.
inline constexpr std::array kLightEntries = {
    Prop(kLight, u"Light", PT_BOOL, u"F"),
    Prop(kLight, u"LightColorOn", PT_COLOR, u"@LightOnColor"),
    Prop(kLight, u"LightColorOff", PT_COLOR, u"@LightOffColor"),
    Prop(kLight, u"LightValue", PT_BOOL, u"F"),
    Prop(kLight, u"LightLeft", PT_INTEGER, u"0"),
    Prop(kLight, u"LightTop", PT_INTEGER, u"0"),
    Prop(kLight, u"LightRight", PT_INTEGER, u"0"),
    Prop(kLight, u"LightBottom", PT_INTEGER, u"0"),
};

// An image on the face, inset by the four distances; "ImageColor" is drawn transparent (empty:
// none), and a size of 0 keeps the image's own.
inline constexpr std::array kButtonImageEntries =
    JoinProperties(kImageFileEntries, std::array{
                                          Prop(kImage, u"ImageColor", PT_COLOR, u""),
                                          Prop(kImage, u"ImageLeft", PT_INTEGER, u"0"),
                                          Prop(kImage, u"ImageTop", PT_INTEGER, u"0"),
                                          Prop(kImage, u"ImageRight", PT_INTEGER, u"0"),
                                          Prop(kImage, u"ImageBottom", PT_INTEGER, u"0"),
                                          Prop(kImage, u"ImageSizeX", PT_INTEGER, u"0"),
                                          Prop(kImage, u"ImageSizeY", PT_INTEGER, u"0"),
                                      });

// The buttons of one group: a button turned on writes its "GroupThisValue" into the "GroupValue"
// of the object named by "GroupObject".
inline constexpr std::array kGroupEntries = {
    Prop(kGroup, u"GroupObject", PT_STRING, u"", {}, 1, 0),
    Prop(kGroup, u"GroupValue", PT_NUMBER, u"0", {}, 0, 1, kPropertySwitchValue),
    Prop(kGroup, u"GroupThisValue", PT_NUMBER, u"0"),
};

inline constexpr std::array kGroupEvents = {
    EventInfo{kControl, u"OnGroupValueChanged", u"value"},
};

inline constexpr std::array kGroupButtonEvents =
    WithCommonEvents(switch_properties::kSwitchEvents, kGroupEvents);

// "TextAlign" is the side the check box's box stands on, its text beside it; "Fill" and
// "Border" paint the background and frame of the whole object, off unless asked.
inline constexpr std::array kCheckTextEntries =
    JoinProperties(kTextEntries, kTextLineSpaceEntries,
                   std::array{Prop(kText, u"TextAlign", PT_ENUM, u"LEFT", u"LEFT,RIGHT")});

inline constexpr std::array kCheckBorderFillEntries =
    JoinProperties(BorderEntries(u"F"), kBorder3DEntries, FillEntries(u"F"), kPlainFillStyleEntries);

inline constexpr std::array kMarkEntries = {
    Prop(kMark, u"MarkColor", PT_COLOR, u"@TextColor"),
    Prop(kMark, u"MarkSize", PT_INTEGER, u"13", u",1"),
};

inline constexpr std::array kMarkStyleEntries = {
    Prop(kMark, u"MarkStyle", PT_ENUM, u"TICK", u"TICK,CROSS"),
};

}  // namespace button_properties

class CNPCommandButton : public CNObjectClass<CNPCommandButton, CNPSwitchControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Button";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, button_properties::kPushTypeEntries,
      button_properties::kTextAndFontEntries, button_properties::kButtonTextColorEntries,
      button_properties::kButtonTextLayoutEntries, button_properties::kButtonBorderHeadEntries,
      button_properties::kButtonBorderStyleEntries, shape_properties::kBorderRoundEntries,
      button_properties::kButtonFillEntries, button_properties::kLightEntries,
      button_properties::kButtonImageEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

  // Whether the button is drawn pushed, as its "PushType" says.
  bool IsPushed() const;

 protected:
  // The face in its state's fill ("FillType" and "FillSize" say how much of it), the border
  // (sunk while pushed), the light, the image and the text (button_draw.cpp).
  void OnDraw(CNDrawContext& context) override;

 private:
  CNTextLayoutCache m_textCache;
};

// A button of a group (switch_group.h): turning on selects its "GroupThisValue" in the group.
template <class Button>
class CNPGroupButton : public Button {
 protected:
  void SwitchChanged(bool value) override {
    if (value) CNSwitchGroup::Select(*this);
  }
};

// Flips at each click, or turns on and stays on as one button of a group ("GroupObject").
class CNPToggleButton : public CNObjectClass<CNPToggleButton, CNPGroupButton<CNPCommandButton>> {
 public:
  static constexpr std::u16string_view kClassId = u"ToggleButton";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchValueEntries, button_properties::kPushTypeEntries,
      button_properties::kTextAndFontEntries, button_properties::kButtonTextColorEntries,
      button_properties::kTextColorOnEntries, button_properties::kButtonTextLayoutEntries,
      button_properties::kButtonBorderHeadEntries, button_properties::kToggleBorderStyleEntries,
      shape_properties::kBorderRoundEntries, button_properties::kButtonFillEntries,
      button_properties::kButtonImageEntries, button_properties::kGroupEntries);
  static constexpr auto kEvents = button_properties::kGroupButtonEvents;

  // ALTERNATE_SWITCH alone, select while "GroupObject" names an object.
  int32_t GetOperatingType() const override;
};

// Flips at each click unless its file gives a "SwitchType". Its record starts with the press
// done, so that a release without a press does nothing.
class CNPCheckBox : public CNObjectClass<CNPCheckBox, CNPSwitchControl> {
 public:
  static constexpr std::u16string_view kClassId = u"CheckBox";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchValueEntries, button_properties::kCheckTextEntries,
      button_properties::kCheckBorderFillEntries, button_properties::kMarkEntries,
      button_properties::kMarkStyleEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

  CNPCheckBox() { GetSwitchRecord().done = true; }
  // Also takes "SwitchType", which the table does not offer: files may still give one.
  int SetProperty(std::u16string_view name, const CNValue& value) override;
  // The "SwitchType" given, else ALTERNATE_SWITCH.
  int32_t GetOperatingType() const override;

 protected:
  // The background and frame, the box on the "TextAlign" side with the mark while on, and the
  // text beside it (check_box_draw.cpp).
  void OnDraw(CNDrawContext& context) override;
  // The radio button's box is a circle and its mark a dot.
  virtual bool HasRoundBox() const { return false; }

 private:
  bool m_bSwitchTypeGiven = false;
  CNTextLayoutCache m_textCache;
};

// Turns on and stays on, whatever "SwitchType" its file gives; the other buttons of its group
// turn off.
class CNPRadioButton : public CNObjectClass<CNPRadioButton, CNPGroupButton<CNPCheckBox>> {
 public:
  static constexpr std::u16string_view kClassId = u"RadioButton";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchValueEntries, button_properties::kCheckTextEntries,
      button_properties::kCheckBorderFillEntries, button_properties::kMarkEntries,
      button_properties::kGroupEntries);
  static constexpr auto kEvents = button_properties::kGroupButtonEvents;

  int32_t GetOperatingType() const override { return SWITCH_SELECT; }

 protected:
  bool HasRoundBox() const override { return true; }
};
