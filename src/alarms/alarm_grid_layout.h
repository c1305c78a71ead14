#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "alarms/remote_alarm_grid.h"

// Where the parts of the alarm grid lie, in form coordinates: the header, the rows, the column
// edges and the scroll bar at the right. The drawing and the mouse share it.
struct CNPExternalAlarmGrid::Layout {
  struct Thumb {
    int32_t top = 0;
    int32_t bottom = 0;
  };

  CNRect rect;
  int32_t headerBottom = 0;
  int32_t rowHeight = 1;
  size_t visibleRows = 0;
  int32_t scrollLeft = 0;
  // Edges of the four columns, left to right; the last is the scroll bar's left edge.
  std::array<int32_t, 5> columns{};

  static Layout Of(const CNPExternalAlarmGrid& grid);
  bool InScrollBar(const CNPoint& at) const;
  // The visible row under the point (0 for the top one shown); false outside the rows.
  bool RowAt(const CNPoint& at, size_t& row) const;
  // The thumb of the scroll bar when top is the first of count rows shown.
  Thumb ThumbOf(size_t top, size_t count) const;
};
