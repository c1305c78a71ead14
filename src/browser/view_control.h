#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "controls/scrollable_object.h"

// A window-like area on a form that shows another form in a view of its own, with an optional
// title bar, close and maximise buttons, and moving and resizing by the operator. A new one
// simply embeds its form: no title bar, no border, nothing the operator can move.
namespace view_control_properties {

using namespace control_properties;

inline constexpr std::u16string_view kView = u"View";
inline constexpr std::u16string_view kTitle = u"Title";

// Only the switches that make sense for a view; the image and mouse-up switches are not offered.
inline constexpr auto kBasicEntries =
    OmitEntries(common_properties::kBasicEntries, {u"EnabledImage", u"AllowMouseUpWithoutDown"});

inline constexpr std::array kViewEntries = JoinProperties(
    std::array{
        Prop(kView, u"BasedFormName", PT_STRING, u""),
        Prop(kView, u"FormName", PT_STRING, u""),
        Prop(kView, u"ViewName", PT_STRING, u""),
        Prop(kView, u"Stretch", PT_ENUM, u"FORM",
             u"NONE,STRETCH_FULL,STRETCH_KEEPRATE,RESIZE_FULL,RESIZE_KEEPRATE,FORM"),
        Prop(kView, u"ClipView", PT_BOOL, u"T"),
    },
    CNPScrollableObject::kScrollPositionEntries,
    std::array{
        Prop(kView, u"MaxFormHistory", PT_INTEGER, u"20", u",0"),
        Prop(kView, u"MinWidth", PT_INTEGER, u"40", u",1"),
        Prop(kView, u"MinHeight", PT_INTEGER, u"40", u",1"),
    });

inline constexpr std::array kTitleEntries = {
    Prop(kTitle, u"TitleBar", PT_ENUM, u"NONE", u"NONE,TOP,BOTTOM"),
    Prop(kTitle, u"TitleBarColor", PT_COLOR, u"@ButtonColor", {}, 1, 1, kPropertyColor),
    Prop(kTitle, u"TitleHeight", PT_INTEGER, u"24", u",0"),
    Prop(kTitle, u"Title", PT_STRING, u""),
    Prop(kTitle, u"TitleFont", PT_FONT, kDefaultFont),
    Prop(kTitle, u"TitleColor", PT_COLOR, u"@ButtonTextColor"),
    Prop(kTitle, u"TitleAlignX", PT_ENUM, u"LEFT", kAlignXItems),
    Prop(kTitle, u"ShowCloseButton", PT_BOOL, u"F"),
    Prop(kTitle, u"ShowMaxButton", PT_BOOL, u"F"),
    Prop(kTitle, u"AllowMove", PT_BOOL, u"F"),
    Prop(kTitle, u"AllowResize", PT_BOOL, u"F"),
    Prop(kTitle, u"AllowBringToFront", PT_BOOL, u"F"),
    Prop(kTitle, u"BringToFrontLevel", PT_INTEGER, u"0"),
};

inline constexpr std::array kFillAlphaEntries = {
    Prop(kFill, u"FillAlpha", PT_NUMBER, u"1", u"1,0"),
};

// The common events without "OnInitializeDone".
inline constexpr auto kCommonEvents = OmitEntries(common_properties::kCommonEvents, {u"OnInitializeDone"});

inline constexpr std::array kViewEvents = {
    EventInfo{kControl, u"OnClickTitleBar", u"state,msg"},
    EventInfo{kControl, u"OnBeforeOpenForm", u"basedFormName,&isOpen,&stretchMode,&openParam,formName"},
    EventInfo{kControl, u"OnAfterOpenForm", u"basedFormName,objForm,formName"},
    EventInfo{kControl, u"OnFormLButtonDown", u""},
};

}  // namespace view_control_properties

class CNPViewControl : public CNObjectClass<CNPViewControl, CNPScrollableObject> {
 public:
  static constexpr std::u16string_view kClassId = u"ViewControl";
  static constexpr auto kProperties =
      JoinProperties(view_control_properties::kBasicEntries, view_control_properties::kViewEntries,
                     view_control_properties::kTitleEntries, view_control_properties::kFillAlphaEntries,
                     control_properties::BorderEntries(u"F"), common_properties::kPositionEntries,
                     common_properties::kStateEntries, common_properties::kTooltipEntries,
                     common_properties::kLibraryEntries);
  static constexpr auto kEvents =
      JoinEvents(view_control_properties::kCommonEvents, view_control_properties::kViewEvents);
};
