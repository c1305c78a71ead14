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
};

class CNPHistoricalDataGraph : public CNObjectClass<CNPHistoricalDataGraph, CNPTrendGraph> {
 public:
  static constexpr std::u16string_view kClassId = u"HistoricalDataGraph";
};
