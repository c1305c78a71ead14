#pragma once

#include <vector>

#include "draw/geometry.h"
#include "draw/path.h"

// Where user coordinates stand on the surface when they are its pixels shifted by whole
// pixels, and the part of the user x range the clip leaves.
struct CRPixelGrid {
  double shiftX = 0.0;  // surface x = user x + shiftX
  double shiftY = 0.0;
  double clipLeft = 0.0;  // user x
  double clipRight = 0.0;
};

// A polyline whose points stack up in pixel columns (a long trend drawn as each column's first,
// lowest, highest and last sample) gives a stroke a pair of edges and a round join for every
// move up or down within a column. The path returned here covers, stroked one pixel wide with
// round joins and without antialiasing, exactly the pixels the plain polyline covers, with far
// fewer edges: the up and down within each column becomes one span of whole pixels, and the
// lines between columns end at the columns, keeping their round join only where it can reach
// past the span; a line between neighbouring spans that cover all it reaches is left out. The
// result holds in one stroke only, as the stroke fills a one-pixel gap between two runs of
// pixels in a row.
//
// How the drawing library strokes such a line, which this follows: coordinates are rounded to
// 1/256 pixel; a pixel is covered when its centre is, the top edge of a figure counting and the
// bottom one not; a vertical stretch on a column's middle covers that column from its upper to
// its lower end, and where the line turns back, its round end reaches 122/256 pixel further on
// the column's middle; the round join where a line meets a column stays within half a pixel of
// its point. Columns that are not on a pixel's middle, or lie within a pixel of the clip's
// sides, where the library leaves out joins it judges unseen, keep their points as they are.
CRPath ColumnSpanPolyline(const std::vector<CRPointF>& points, const CRPixelGrid& grid);
