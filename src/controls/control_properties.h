#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

#include "objects/property_info.h"
#include "screen/common_properties.h"

// Table pieces that the controls share beyond the common ones: text, border, fill, value range,
// image file, and the helpers that put a class's own groups in their place.
namespace control_properties {

inline constexpr std::u16string_view kText = u"Text";
inline constexpr std::u16string_view kBorder = u"Border";
inline constexpr std::u16string_view kFill = u"Fill";
inline constexpr std::u16string_view kImage = u"Image";
inline constexpr std::u16string_view kValue = u"Value";
inline constexpr std::u16string_view kControl = u"Control";

inline constexpr std::u16string_view kLineStyleItems = u"SOLID,DASH,DOT,DASHDOT,DASHDOTDOT";
inline constexpr std::u16string_view kBorderStyleItems =
    u"FLAT,3D_FRAME,3D_RAISE1,3D_SUNK1,3D_RAISE2,3D_SUNK2";
inline constexpr std::u16string_view kAlignXItems = u"LEFT,CENTER,RIGHT";
inline constexpr std::u16string_view kAlignYItems = u"TOP,CENTER,BOTTOM";
inline constexpr std::u16string_view kImageFilter =
    u"Image Files (*.png;*.jpg;*.jpeg;*.jpe;*.bmp;*.gif)|*.png;*.jpg;*.jpeg;*.jpe;*.bmp;*.gif|All Files "
    u"(*.*)|*.*||";
inline constexpr std::u16string_view kAllFilesFilter = u"All Files (*.*)|*.*||";

// Face, height, width, weight, italic, underline, strike-out, escapement, orientation.
inline constexpr const char16_t* kDefaultFont = u"Meiryo UI,-12,0,400,0,0,0,0,0";

// A class's table: the common "Basic" entries, then its own groups, then the common "Position",
// "State", "Tooltip" and "Library" entries.
template <size_t... N>
constexpr auto WithCommonProperties(const std::array<PropertyEntry, N>&... own) {
  using namespace common_properties;
  return JoinProperties(kBasicEntries, own..., kPositionEntries, kStateEntries, kTooltipEntries,
                        kLibraryEntries);
}

// A class's events: the common ones, then its own.
template <size_t... N>
constexpr auto WithCommonEvents(const std::array<EventInfo, N>&... own) {
  return JoinEvents(common_properties::kCommonEvents, own...);
}

constexpr std::u16string_view EntryName(const PropertyEntry& entry) {
  return entry.info.name;
}
constexpr std::u16string_view EntryName(const EventInfo& entry) {
  return entry.name;
}

// `from` without the named entries, in its own order. Naming an entry that `from` lacks does not
// compile (the copy runs out of room).
template <class Entry, size_t N, size_t M>
constexpr std::array<Entry, N - M> OmitEntries(const std::array<Entry, N>& from,
                                               const std::u16string_view (&names)[M]) {
  std::array<Entry, N - M> kept{};
  size_t at = 0;
  for (const Entry& entry : from)
    if (std::find(std::begin(names), std::end(names), EntryName(entry)) == std::end(names))
      kept.at(at++) = entry;
  return kept;
}

inline constexpr std::array kTextEntries = {
    Prop(kText, u"Text", PT_TEXT, u""),
    Prop(kText, u"TextFont", PT_FONT, kDefaultFont),
    Prop(kText, u"TextColor", PT_COLOR, u"@TextColor"),
};

// Text drawn by a control without its own text: only the look of the items it shows.
inline constexpr std::array kTextLookEntries = {
    Prop(kText, u"TextFont", PT_FONT, kDefaultFont),
    Prop(kText, u"TextColor", PT_COLOR, u"@TextColor"),
};

inline constexpr std::array kTextAlignEntries = {
    Prop(kText, u"TextAlignX", PT_ENUM, u"LEFT", kAlignXItems),
    Prop(kText, u"TextAlignY", PT_ENUM, u"CENTER", kAlignYItems),
};

// "Border" says whether a border is drawn at all.
constexpr std::array<PropertyEntry, 4> BorderEntries(const char16_t* shown) {
  return {
      Prop(kBorder, u"Border", PT_BOOL, shown),
      Prop(kBorder, u"BorderColor", PT_COLOR, u"@BorderColor"),
      Prop(kBorder, u"BorderWidth", PT_INTEGER, u"1", u",1"),
      Prop(kBorder, u"BorderLine", PT_ENUM, u"SOLID", kLineStyleItems),
  };
}

inline constexpr std::array kBorder3DEntries = {
    Prop(kBorder, u"BorderStyle", PT_BORDER_STYLE, u"3D_SUNK1", kBorderStyleItems),
    Prop(kBorder, u"Border3DLight", PT_COLOR, u"#FFFFFF"),
    Prop(kBorder, u"Border3DShadow", PT_COLOR, u"#808080"),
};

// "Fill" says whether the background is painted at all.
constexpr std::array<PropertyEntry, 2> FillEntries(const char16_t* shown) {
  return {
      Prop(kFill, u"Fill", PT_BOOL, shown),
      Prop(kFill, u"FillColor", PT_COLOR, u"@FillColor", {}, 1, 1, kPropertyColor),
  };
}

// The number a control shows or sets, within its range.
inline constexpr std::array kValueRangeEntries = {
    Prop(kValue, u"Value", PT_NUMBER, u"0"),
    Prop(kValue, u"Max", PT_NUMBER, u"100"),
    Prop(kValue, u"Min", PT_NUMBER, u"0"),
};

// The named formats a control shows its values with.
inline constexpr std::u16string_view kFormat = u"Format";
inline constexpr std::array kFormatNumberEntries = {
    Prop(kFormat, u"FormatNumber", PT_NUMBER_FORMAT, u"@NUMBER"),
};
inline constexpr std::array kFormatDateTimeEntries = {
    Prop(kFormat, u"FormatDateTime", PT_DATETIME_FORMAT, u"@DATETIME"),
};
inline constexpr std::array kFormatDateEntries = {
    Prop(kFormat, u"FormatDate", PT_DATETIME_FORMAT, u"@DATETIME.D"),
};
inline constexpr std::array kFormatTimeEntries = {
    Prop(kFormat, u"FormatTime", PT_DATETIME_FORMAT, u"@DATETIME.T"),
};

// The background of the selected item of a list, menu, table or calendar.
inline constexpr std::array kSelectedColorEntries = {
    Prop(kFill, u"SelectedColor", PT_COLOR, u"@HoverColor", {}, 1, 1, kPropertyColor),
};

inline constexpr std::array kImageFileEntries = {
    Prop(kImage, u"ImageFile", PT_FILE, u"", kImageFilter),
};

}  // namespace control_properties
