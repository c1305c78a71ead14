#pragma once

#include <array>
#include <string_view>

#include "graphs/plotter.h"

// The plot graph plots pens of (x, y) samples against a numeric X axis.
class CNPPlotGraph : public CNObjectClass<CNPPlotGraph, CNPPlotter> {
 public:
  static constexpr std::u16string_view kClassId = u"PlotGraph";
  static constexpr std::array kNumberAxisEntries = {
      Prop(control_properties::kFormat, u"FormatNumberX", PT_NUMBER_FORMAT, u"@NUMBER.1"),
      Prop(control_properties::kFormat, u"FormatNumberY", PT_NUMBER_FORMAT, u"@NUMBER.1"),
  };
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      plotter_properties::kPlotterEntries, kNumberAxisEntries, plotter_properties::kAutoDeleteEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(plotter_properties::kProbeEvents,
                                                                       plotter_properties::kMouseZoomEvents);

  bool HasSecondBand() const override { return true; }
  // The element as a number; a missing value (N/A) or a number that is not finite gives no x.
  bool ReadX(const ValueElement& element, double& x) const override;
  void XToValue(double x, CNValue& out) const override { out.SetNumber(x); }
  // In "FormatNumberX".
  std::u16string XLabel(double x, double step) const override;
  std::u16string_view ValueFormatProperty() const override { return u"FormatNumberY"; }

 protected:
  // Until a script sets a range: the X extent of the selected group's samples, else 0 to 100.
  void DefaultXRange(double& from, double& to) const override;
};
