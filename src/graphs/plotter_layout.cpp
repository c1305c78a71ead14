#include "graphs/plotter_layout.h"

#include <algorithm>

#include "graphs/plotter.h"
#include "objects/property_read.h"

CRRectF PlotAreaOf(const CNPPlotter& graph) {
  const CNRect rect = graph.GetRect();
  double left = rect.left + kPlotMargin, right = rect.right - kPlotMargin;
  double top = rect.top + kPlotMargin + 6.0, bottom = rect.bottom - kPlotMargin;
  if (!PropertyText(graph, u"TitleLeft").empty()) left += kTitleRoom;
  if (!PropertyText(graph, u"TitleRight").empty()) right -= kTitleRoom;
  if (!PropertyText(graph, u"TitleTop").empty()) top += kTitleRoom;
  if (!PropertyText(graph, u"TitleBottom").empty()) bottom -= kTitleRoom;
  // "SpaceX" and "SpaceY": extra room on both sides of the plot.
  const double spaceX = std::clamp(PropertyNumber(graph, u"SpaceX", 0), 0.0, 1000.0);
  const double spaceY = std::clamp(PropertyNumber(graph, u"SpaceY", 0), 0.0, 1000.0);
  left += spaceX;
  right -= spaceX;
  top += spaceY;
  bottom -= spaceY;
  if (PropertyBool(graph, u"ShowScaleY", true)) left += kScaleYRoom + PropertyInt(graph, u"OffsetScaleY", 0);
  if (PropertyBool(graph, u"ShowScaleX", true))
    bottom -= kScaleXRoom + PropertyInt(graph, u"OffsetScaleX", 0);
  return {left, top, std::max(0.0, right - left), std::max(0.0, bottom - top)};
}
