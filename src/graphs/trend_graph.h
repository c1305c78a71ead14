#pragma once

#include <array>
#include <string_view>

#include "graphs/plotter.h"

// The trend graph plots pens of process values against a time axis; the historical-data graph
// is a trend graph whose pens are filled from the historical-data service.
namespace trend_graph_properties {

inline constexpr std::array kTimeAxisEntries =
    JoinProperties(control_properties::kFormatDateEntries, control_properties::kFormatTimeEntries);

inline constexpr std::array kPlotValueEvents = {
    EventInfo{control_properties::kControl, u"OnPlotValueChanged", u"penno,state,date,value"},
};

}  // namespace trend_graph_properties

class CNPTrendGraph : public CNObjectClass<CNPTrendGraph, CNPPlotter> {
 public:
  static constexpr std::u16string_view kClassId = u"TrendGraph";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      plotter_properties::kPlotterEntries, trend_graph_properties::kTimeAxisEntries,
      plotter_properties::kAutoDeleteEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(
      plotter_properties::kProbeEvents, trend_graph_properties::kPlotValueEvents,
      plotter_properties::kMouseZoomEvents);

  // X is seconds from 1970-01-01 00:00 UTC. A time element gives its instant; a text is read as a
  // time literal (local time); anything else gives no x.
  bool ReadX(const ValueElement& element, double& x) const override;
  void XToValue(double x, CNValue& out) const override;
  // "OnPlotValueChanged" with the pen number, 1 (a value) or 0 (a lack), the time of the last
  // sample and its value as presented (0 for a lack); nothing for a pen without samples.
  void FirePlotValueChanged(uint32_t penNumber) override;
  // "FormatDate" over "FormatTime", in local time.
  std::u16string XLabel(double x, double step) const override;

  static double TimeToX(FileTime ticks);
  static FileTime XToTime(double x);

 protected:
  // Until a script sets a range, the graph follows its newest sample over the selected group's
  // "StartupXSpan" (ten minutes when 0).
  void DefaultXRange(double& from, double& to) const override;
};

class CNPHistoricalDataGraph : public CNObjectClass<CNPHistoricalDataGraph, CNPTrendGraph> {
 public:
  static constexpr std::u16string_view kClassId = u"HistoricalDataGraph";
};
