#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Grids: the grid lines drawn over an area, and the grid control, a table of cells with header
// rows and columns. The look of a table is shared by every control that shows records in rows.
namespace grid_properties {

using namespace control_properties;

inline constexpr std::u16string_view kGrid = u"Grid";
inline constexpr std::u16string_view kLine = u"Line";

inline constexpr std::array kGridLineEntries = {
    Prop(kLine, u"LineColor", PT_COLOR, u"@BorderColor"),
    Prop(kLine, u"LineStyle", PT_ENUM, u"SOLID", kLineStyleItems),
    Prop(kLine, u"LineWidth", PT_INTEGER, u"1", u",1"),
};

inline constexpr std::array kGridCountEntries = {
    Prop(kGrid, u"GridCountX", PT_INTEGER, u"10", u",1"),
    Prop(kGrid, u"GridCountY", PT_INTEGER, u"10", u",1"),
};

// Rows of records under a header row, with their text, border and background.
inline constexpr std::array kTableEntries = JoinProperties(
    std::array{
        Prop(kGrid, u"RowHeight", PT_INTEGER, u"20", u",1"),
        Prop(kGrid, u"HeaderHeight", PT_INTEGER, u"24", u",0"),
        Prop(kGrid, u"HeaderColor", PT_COLOR, u"@ButtonColor", {}, 1, 1, kPropertyColor),
        Prop(kGrid, u"HeaderTextColor", PT_COLOR, u"@ButtonTextColor"),
        Prop(kGrid, u"GridLineColor", PT_COLOR, u"@BorderColor"),
    },
    kSelectedColorEntries, kTextLookEntries, BorderEntries(u"T"), FillEntries(u"T"));

// The cells of the grid control; the fixed rows and columns are its headers.
inline constexpr std::array kCellEntries = {
    Prop(kGrid, u"RowCount", PT_INTEGER, u"5", u",0"),
    Prop(kGrid, u"ColCount", PT_INTEGER, u"5", u",0"),
    Prop(kGrid, u"FixedRowCount", PT_INTEGER, u"1", u",0"),
    Prop(kGrid, u"FixedColCount", PT_INTEGER, u"0", u",0"),
    Prop(kGrid, u"ColWidth", PT_INTEGER, u"64", u",1"),
    Prop(kGrid, u"Editable", PT_BOOL, u"F"),
};

inline constexpr std::array kCellEvents = {
    EventInfo{kControl, u"OnCellClick", u"row,col"},
    EventInfo{kControl, u"OnCellChanged", u"row,col,&text"},
};

}  // namespace grid_properties

class CNPGridLines : public CNObjectClass<CNPGridLines, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"GridLines";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      grid_properties::kGridLineEntries, grid_properties::kGridCountEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPGridControl : public CNObjectClass<CNPGridControl, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"GridControl";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(grid_properties::kCellEntries, grid_properties::kTableEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(grid_properties::kCellEvents);
};
