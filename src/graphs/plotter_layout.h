#pragma once

#include "draw/geometry.h"

class CNPPlotter;

// Room around the plot, in form units.
inline constexpr double kPlotMargin = 6.0;         // on every side
inline constexpr double kTitleRoom = 18.0;         // per title shown
inline constexpr double kScaleYRoom = 50.0;        // left of the plot, for the value labels
inline constexpr double kScaleXRoom = 30.0;        // under the plot, for the X labels (two lines)
inline constexpr double kRangeHandleWidth = 10.0;  // the range controller's handles, inside the plot

// The plot area of a graph in form coordinates: its rectangle less the margins, "SpaceX" and
// "SpaceY", the titles that are set, the scales that are shown and their "OffsetScaleX"/
// "OffsetScaleY".
CRRectF PlotAreaOf(const CNPPlotter& graph);
