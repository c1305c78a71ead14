#pragma once

#include <array>
#include <string_view>

#include "objects/pobject.h"
#include "objects/shape_properties.h"

// The boxes in which the operator types a text or a number; a committed text that passes the
// box's text format becomes "Text" and "Value".
namespace edit_box_properties {

using namespace shape_properties;

inline constexpr std::array kTabAfterEnterEntries = {
    Prop(common_properties::kBasic, u"TabAfterEnter", PT_BOOL, u"F"),
};

inline constexpr std::array kEditTextEntries = JoinProperties(
    std::array{
        Prop(kText, u"TextType", PT_ENUM, u"TEXT", u"TEXT,NUMBER,PASSWORD"),
        Prop(kText, u"TextFormat", PT_STRING, u""),
        Prop(kText, u"IMEMode", PT_ENUM, u"NONE", u"NONE,ON,OFF"),
        Prop(kText, u"StartCursor", PT_ENUM, u"NONE", u"NONE,MOUSE,LEFT,RIGHT,SELECTALL"),
        Prop(kText, u"Text", PT_TEXT, u"", {}, 1, 1, kPropertySwitchValue),
    },
    kTextLookEntries, kTextAlignEntries,
    std::array{
        Prop(kText, u"PaddingLeft", PT_INTEGER, u"0"),
        Prop(kText, u"PaddingRight", PT_INTEGER, u"0"),
        Prop(kText, u"TextMarginLeft", PT_INTEGER, u"0", {}, 0, 0, 3),
        Prop(kText, u"TextMarginRight", PT_INTEGER, u"0", {}, 0, 0, 3),
        Prop(kText, u"Value", PT_STRING, u"", {}, 0, 1, kPropertySwitchValue),
        Prop(kText, u"PlaceHolder", PT_STRING, u""),
        Prop(kText, u"PlaceHolderColor", PT_COLOR, u"#808080", {}, 1, 1, kPropertyColor),
    });

// A new edit box takes its border style from the visual theme.
inline constexpr std::array kEditBorderFillEntries = JoinProperties(
    BorderEntries(u"T"),
    std::array{Prop(kBorder, u"BorderStyle", PT_BORDER_STYLE, u"@BorderStyle5", kBorderStyleItems)},
    OmitEntries(kBorder3DEntries, {u"BorderStyle"}), OmitEntries(FillEntries(u"T"), {u"Fill"}),
    kPlainFillStyleEntries);

inline constexpr std::array kEditBoxEvents = WithCommonEvents(std::array{
    EventInfo{kControl, u"OnTextChanged", u"&text"},
    EventInfo{kControl, u"OnTextChanging", u"&text"},
    EventInfo{kControl, u"OnTextFormatError", u"text"},
    EventInfo{kControl, u"OnEditBoxValueChanged", u"&value"},
});

}  // namespace edit_box_properties

class CNPEditBox : public CNObjectClass<CNPEditBox, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"EditBox";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      edit_box_properties::kTabAfterEnterEntries, edit_box_properties::kEditTextEntries,
      edit_box_properties::kEditBorderFillEntries);
  static constexpr auto kEvents = edit_box_properties::kEditBoxEvents;

 protected:
  int GetExtraProperty(std::u16string_view name, CNValue& value) const override;
};

class CNPMultilineEditBox : public CNObjectClass<CNPMultilineEditBox, CNPEditBox> {
 public:
  static constexpr std::u16string_view kClassId = u"MultilineEditBox";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      edit_box_properties::kTabAfterEnterEntries, edit_box_properties::kEditTextEntries,
      edit_box_properties::kEditBorderFillEntries,
      std::array{Prop(control_properties::kText, u"VerticalScroll", PT_BOOL, u"T")});
};
