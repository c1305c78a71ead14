#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "values/value.h"

inline constexpr std::u16string_view kPlotLineStyleItems = u"SOLID,DASH,DOT,DASHDOT,DASHDOTDOT";
inline constexpr std::u16string_view kPlotTextPositionItems = u"LOWER,UPPER";

// A guide line across the plot at a value of the value axis, with two texts at its ends.
struct CPlotLine {
  double value = 0.0;
  bool visible = true;
  std::u16string lineColor = u"#000000";
  int32_t lineStyle = 0;  // kPlotLineStyleItems
  double lineSize = 1.0;
  std::u16string text1;  // at the left end
  std::u16string text2;  // at the right end
  std::u16string textColor = u"#000000";
  int32_t textPosition = 0;  // kPlotTextPositionItems: below or above the line
};

// The guide lines of a group or a pen, in order.
using CPlotLines = std::vector<CPlotLine>;

// By name: "Value", "Visible", "LineColor", "LineStyle", "LineSize", "Text1", "Text2",
// "TextColor", "TextPosition". False for an unknown name or a value that cannot be taken.
bool SetPlotLineProperty(CPlotLine& line, std::u16string_view name, const CNValue& value);
bool GetPlotLineProperty(const CPlotLine& line, std::u16string_view name, CNValue& out);
// A line from values in the order "Value", "LineColor", "LineStyle", "LineSize", "Text1",
// "Text2", "TextColor", "TextPosition"; missing trailing values keep the defaults. False when one
// cannot be taken.
bool MakePlotLine(std::span<const CNValue* const> values, CPlotLine& out);
