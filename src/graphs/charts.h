#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Charts of series of values set by scripts: lines, bars, areas or a pie, with a legend. The
// second version adds the placement of the legend and value labels on the chart.
namespace chart_properties {

using namespace control_properties;

inline constexpr std::u16string_view kChart = u"Chart";

inline constexpr std::array kChartEntries = {
    Prop(kChart, u"ChartType", PT_ENUM, u"LINE", u"LINE,BAR,AREA,PIE"),
    Prop(kChart, u"Title", PT_STRING, u""),
    Prop(kChart, u"ShowLegend", PT_BOOL, u"T"),
    Prop(kChart, u"ScaleMin", PT_NUMBER, u"0"),
    Prop(kChart, u"ScaleMax", PT_NUMBER, u"100"),
    Prop(kChart, u"SeriesColors", PT_TEXT, u""),  // colours of the series, "," between; "": the theme's
};

inline constexpr std::array kChart2Entries = {
    Prop(kChart, u"LegendPosition", PT_ENUM, u"RIGHT", u"TOP,BOTTOM,LEFT,RIGHT"),
    Prop(kChart, u"ShowValueLabel", PT_BOOL, u"F"),
};

inline constexpr std::array kChartTextEntries = {
    Prop(kText, u"TextFont", PT_FONT, kDefaultFont),
    Prop(kText, u"TextColor", PT_COLOR, u"@ChartTextColor"),
};

}  // namespace chart_properties

class CNPChart : public CNObjectClass<CNPChart, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Chart";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      chart_properties::kChartEntries, control_properties::kFormatNumberEntries,
      chart_properties::kChartTextEntries, control_properties::BorderEntries(u"T"),
      control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPChart2 : public CNObjectClass<CNPChart2, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"Chart2";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      chart_properties::kChartEntries, control_properties::kFormatNumberEntries,
      chart_properties::kChart2Entries, chart_properties::kChartTextEntries,
      control_properties::BorderEntries(u"T"), control_properties::FillEntries(u"T"));
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
