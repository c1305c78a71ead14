#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphs/pen_data_type.h"
#include "graphs/plot_line.h"
#include "graphs/plot_samples.h"
#include "values/value.h"

inline constexpr std::u16string_view kPenPlotTypeItems = u"periodic,changebased,colorbar";

enum class CPenPlotType : int32_t { kPeriodic, kChangeBased, kColorBar };

// One series of samples with its look, its value range and its guide lines.
struct CPlotPen {
  std::u16string title;
  std::u16string unit;
  std::u16string color = u"#000000";
  int32_t dataType = 0;  // CPenDataType
  int32_t plotType = 0;  // CPenPlotType
  double low = 0.0;
  double high = 100.0;
  double displayLow = 0.0;  // percentages of [low, high]: the visible band
  double displayHigh = 100.0;
  double displayLow2 = 0.0;  // the plot graph's band of the X axis
  double displayHigh2 = 100.0;
  bool visible = true;
  double maxPoints = 0.0;  // 0: no limit
  double lineSize = 1.0;
  double pointSize = 0.0;
  double lackLineSize = 1.0;
  double lackPointSize = 0.0;
  double barSize = 0.0;
  int32_t lineStyle = 0;  // kPlotLineStyleItems
  double colorBarAlpha = 1.0;
  std::u16string colorBarColor = u"#00FF00,#FF0000";
  std::u16string temp;
  bool enabled = true;

  CPlotLines lines;
  CPlotSamples samples;

  CPenDataType GetDataType() const { return static_cast<CPenDataType>(dataType); }
  CPenPlotType GetPlotType() const { return static_cast<CPenPlotType>(plotType); }
  // The visible value band, from DisplayLow and DisplayHigh.
  double VisibleLow() const { return low + (high - low) * displayLow / 100.0; }
  double VisibleHigh() const { return low + (high - low) * displayHigh / 100.0; }
  // Drops the oldest samples beyond MaxPoints.
  void KeepMaxPoints();
};

// A set of pens shown together, with its guide lines.
struct CPlotGroup {
  std::u16string title;
  double startupXSpan = 0.0;
  double low = 0.0;
  double high = 100.0;
  std::u16string temp;

  std::vector<std::unique_ptr<CPlotPen>> pens;
  CPlotLines lines;
};

// By name, compared case-sensitively; withSecondBand adds "DisplayLow2" and "DisplayHigh2".
// False for an unknown name or a value that cannot be taken (a data type outside the list, a
// number that is not finite); the pen keeps its value then.
bool SetPenField(CPlotPen& pen, std::u16string_view name, const CNValue& value, bool withSecondBand);
bool GetPenField(const CPlotPen& pen, std::u16string_view name, CNValue& out, bool withSecondBand);
bool SetGroupField(CPlotGroup& group, std::u16string_view name, const CNValue& value);
bool GetGroupField(const CPlotGroup& group, std::u16string_view name, CNValue& out);
