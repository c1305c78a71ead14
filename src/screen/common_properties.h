#pragma once

#include <array>

#include "objects/property_info.h"

// The pieces of property and event tables that the screen classes share. Each class joins the
// pieces it has, in its own order, with JoinProperties / JoinEvents.
namespace common_properties {

inline constexpr std::u16string_view kBasic = u"Basic";
inline constexpr std::u16string_view kPosition = u"Position";
inline constexpr std::u16string_view kState = u"State";
inline constexpr std::u16string_view kTooltip = u"Tooltip";
inline constexpr std::u16string_view kLibrary = u"Library";

inline constexpr std::u16string_view kAutoResizeXItems = u"LEFT,RIGHT,LEFTRIGHT,CENTER";
inline constexpr std::u16string_view kAutoResizeYItems = u"TOP,BOTTOM,TOPBOTTOM,CENTER";

inline constexpr std::array kName = {Prop(kBasic, u"Name", PT_STRING, u"", {}, 1, 0)};

inline constexpr std::array kBasicEntries = {
    Prop(kBasic, u"Name", PT_STRING, u"", {}, 1, 0),
    Prop(kBasic, u"Comment", PT_STRING, u""),
    Prop(kBasic, u"EditLock", PT_BOOL, u"F", {}, 1, 0),
    Prop(kBasic, u"Visible", PT_BOOL, u"T"),
    Prop(kBasic, u"Enabled", PT_BOOL, u"T"),
    Prop(kBasic, u"EnabledInput", PT_BOOL, u"T"),
    Prop(kBasic, u"EnabledImage", PT_BOOL, u"T", {}, 0, 0),
    Prop(kBasic, u"Focusable", PT_BOOL, u"T"),
    Prop(kBasic, u"TabStop", PT_BOOL, u"F"),
    Prop(kBasic, u"TabIndex", PT_INTEGER, u"0", {}, 1, 0),
    Prop(kBasic, u"MaskOutputBindTillInput", PT_BOOL, u"F"),
    Prop(kBasic, u"AllowMouseUpWithoutDown", PT_BOOL, u"F", {}, 0, 0),
    Prop(kBasic, u"TranslationProp", PT_TEXT, u"", {}, 1, 0, kPropertyDesignTime),
};

// Groups and forms also carry the focus frame switches.
inline constexpr std::array kFocusFrameEntries = {
    Prop(kBasic, u"FocusRect", PT_BOOL, u"T"),
    Prop(kBasic, u"FocusHover", PT_BOOL, u"F"),
};

inline constexpr std::array kPositionEntries = {
    Prop(kPosition, u"Top", PT_INTEGER),
    Prop(kPosition, u"Left", PT_INTEGER),
    Prop(kPosition, u"Height", PT_INTEGER, nullptr, u",1"),
    Prop(kPosition, u"Width", PT_INTEGER, nullptr, u",1"),
    Prop(kPosition, u"AutoResizeX", PT_ENUM, u"LEFT", kAutoResizeXItems, 1, 0),
    Prop(kPosition, u"AutoResizeY", PT_ENUM, u"TOP", kAutoResizeYItems, 1, 0),
    Prop(kPosition, u"CenterX", PT_INTEGER, nullptr, {}, 0, 1),
    Prop(kPosition, u"CenterY", PT_INTEGER, nullptr, {}, 0, 1),
    Prop(kPosition, u"MouseX", PT_INTEGER, nullptr, {}, 0, 0),
    Prop(kPosition, u"MouseY", PT_INTEGER, nullptr, {}, 0, 0),
};

inline constexpr std::array kStateEntries = {
    Prop(kState, u"StFocusIn", PT_BOOL, nullptr, {}, 0, 1),
    Prop(kState, u"StMouseIn", PT_BOOL, nullptr, {}, 0, 1),
    Prop(kState, u"StMouseL", PT_BOOL, nullptr, {}, 0, 1),
    Prop(kState, u"StMouseR", PT_BOOL, nullptr, {}, 0, 1),
    Prop(kState, u"StMouseM", PT_BOOL, nullptr, {}, 0, 1),
};

inline constexpr std::array kTooltipEntries = {
    Prop(kTooltip, u"ToolTipType", PT_ENUM, u"TEXT", u"NONE,TEXT,EVENT"),
    Prop(kTooltip, u"ToolTipX", PT_ENUM, u"MOUSE", u"MOUSE,CENTER,INNER_LEFT,INNER_RIGHT,OUTER_RIGHT,OUTER_LEFT"),
    Prop(kTooltip, u"ToolTipY", PT_ENUM, u"MOUSE", u"MOUSE,CENTER,INNER_TOP,INNER_BOTTOM,OUTER_TOP,OUTER_BOTTOM"),
    Prop(kTooltip, u"ToolTipText", PT_STRING, u""),
};

inline constexpr std::array kLibraryEntries = {
    Prop(kLibrary, u"EnabledLibrary", PT_BOOL, u"F", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibrarySet", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibraryClass", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibraryName", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibraryGroup", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibraryComment", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibrarySample", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibraryHelp", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"LibraryVer", PT_STRING, u"", {}, 1, 0, kPropertyDesignTime),
    Prop(kLibrary, u"Customize", PT_CUSTOMIZE, u"", {}, 1, 0, kPropertyDesignTime),
};

inline constexpr std::u16string_view kCommon = u"Common";

inline constexpr std::array kCommonEvents = {
    EventInfo{kCommon, u"OnInitialize", u""},         EventInfo{kCommon, u"OnTerminate", u""},
    EventInfo{kCommon, u"OnLogin", u"login,level"},   EventInfo{kCommon, u"OnFocusIn", u""},
    EventInfo{kCommon, u"OnFocusOut", u""},           EventInfo{kCommon, u"OnKeyDown", u"keycode,flag"},
    EventInfo{kCommon, u"OnKeyUp", u"keycode,flag"},  EventInfo{kCommon, u"OnMouseIn", u""},
    EventInfo{kCommon, u"OnMouseMove", u""},          EventInfo{kCommon, u"OnMouseOut", u""},
    EventInfo{kCommon, u"OnMouseDown", u"button"},    EventInfo{kCommon, u"OnMouseUp", u"button"},
    EventInfo{kCommon, u"OnMouseDblClick", u"button"}, EventInfo{kCommon, u"OnHeartBeat", u""},
    EventInfo{kCommon, u"OnTagValueChanged", u"tagname,value"},
    EventInfo{kCommon, u"OnTimer", u"timerid,counter"},
    EventInfo{kCommon, u"OnAnimateStart", u"msg"},    EventInfo{kCommon, u"OnAnimateDone", u"state,msg"},
    EventInfo{kCommon, u"OnShowToolTip", u"&text"},   EventInfo{kCommon, u"OnCommonEvent", u"name,value"},
    EventInfo{kCommon, u"OnInitializeDone", u""},
};

}  // namespace common_properties
