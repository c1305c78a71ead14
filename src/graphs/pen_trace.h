#pragma once

#include <vector>

#include "draw/geometry.h"
#include "graphs/plot_pen.h"

// Where a pen's samples land on the surface: the visible X range over the plot's width, and
// the part of the value range shown over its height (as positions, 0 at the pen's Low and 1 at
// its High). Every sample is put on the middle of its pixel column, so that all samples of one
// column share one x.
struct CPenMapping {
  CRRectF plot;  // surface pixels
  double xFrom = 0.0;
  double xTo = 1.0;
  double bandLow = 0.0;  // the positions at the plot's bottom and top
  double bandHigh = 1.0;
  bool flatten = false;  // "FLATMAXMINPLOT": positions held to [0, 1]

  // The pixel column of x (held to a range far beyond the plot).
  double Column(double x) const;
  double DeviceX(double x) const { return plot.x + Column(x) + 0.5; }
  double DeviceY(const CPlotPen& pen, double y) const;
};

// A pen's line as drawn: runs of points broken at lacks, and the gaps the lacks leave (from
// the last value before to the first value after).
struct CPenTrace {
  std::vector<std::vector<CRPointF>> runs;
  std::vector<std::pair<CRPointF, CRPointF>> gaps;
  std::vector<CRPointF> lackPoints;  // where each lack stands, at the height of the value before
  size_t samplesInView = 0;
};

// The trace of the samples in the visible range and their neighbours just outside. With
// decimate set, each pixel column without a lack is traced by its first, lowest, highest and
// last sample, which covers the same pixels as every sample of the column, since they all
// stand on the column's middle and the line is stroked with round joins. The cost then follows
// the pixels, not the samples.
CPenTrace TracePen(const CPlotPen& pen, const CPenMapping& mapping, bool decimate);

// The samples of ordered samples that are drawn: those in the visible range and one on either
// side, for the line that enters and leaves the plot.
void VisibleRun(const CPlotSamples& samples, const CPenMapping& mapping, size_t& begin, size_t& end);
// One past the last sample, from i on, in the pixel column of sample i (at most end); the
// samples must be ordered. hint: how many samples the column before held (0: unknown).
size_t ColumnEnd(const CPlotSamples& samples, const CPenMapping& mapping, size_t i, size_t end, size_t hint);

// The points of a change-based pen: each value holds until the next sample, then steps.
std::vector<CRPointF> StepPoints(const std::vector<CRPointF>& points);
