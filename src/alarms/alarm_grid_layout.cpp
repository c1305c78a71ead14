#include "alarms/alarm_grid_layout.h"

#include <algorithm>

#include "objects/property_read.h"

namespace {

// "date,id,state" widths; a missing or unreadable width keeps its default.
std::array<int32_t, 3> ColumnWidths(std::u16string_view text) {
  std::array<int32_t, 3> widths{150, 140, 100};
  for (int32_t& width : widths) {
    const size_t comma = text.find(u',');
    const std::u16string_view part = text.substr(0, comma);
    int32_t value = 0;
    bool digits = !part.empty() && part.size() < 7;
    for (const char16_t c : part) {
      digits = digits && c >= u'0' && c <= u'9';
      value = value * 10 + (c - u'0');
    }
    if (digits) width = value;
    if (comma == std::u16string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return widths;
}

}  // namespace

CNPExternalAlarmGrid::Layout CNPExternalAlarmGrid::Layout::Of(const CNPExternalAlarmGrid& grid) {
  Layout layout;
  layout.rect = grid.GetRect();
  const int32_t height = std::max(0, layout.rect.Height());
  layout.headerBottom = layout.rect.top + std::clamp(PropertyInt(grid, u"HeaderHeight", 24), 0, height);
  layout.rowHeight = std::max(1, PropertyInt(grid, u"RowHeight", 20));
  const int32_t rowsHeight = std::max(0, layout.rect.bottom - layout.headerBottom);
  layout.visibleRows = static_cast<size_t>(rowsHeight / layout.rowHeight);
  layout.scrollLeft = std::max(layout.rect.left, layout.rect.right - kScrollBarWidth);
  const std::array<int32_t, 3> widths = ColumnWidths(PropertyText(grid, u"ColWidths"));
  int32_t x = layout.rect.left;
  layout.columns[0] = x;
  for (size_t i = 0; i < widths.size(); ++i) {
    x = std::min(layout.scrollLeft, static_cast<int32_t>(std::min<int64_t>(int64_t{x} + widths[i], INT32_MAX)));
    layout.columns[i + 1] = x;
  }
  layout.columns[4] = layout.scrollLeft;
  return layout;
}

bool CNPExternalAlarmGrid::Layout::InScrollBar(const CNPoint& at) const {
  return at.x >= scrollLeft && at.x < rect.right && at.y >= headerBottom && at.y < rect.bottom;
}

bool CNPExternalAlarmGrid::Layout::RowAt(const CNPoint& at, size_t& row) const {
  if (at.x < rect.left || at.x >= scrollLeft || at.y < headerBottom) return false;
  row = static_cast<size_t>((at.y - headerBottom) / rowHeight);
  return row < visibleRows;
}

CNPExternalAlarmGrid::Layout::Thumb CNPExternalAlarmGrid::Layout::ThumbOf(size_t top, size_t count) const {
  const int32_t track = std::max(0, rect.bottom - headerBottom);
  if (count <= visibleRows || count == 0) return {headerBottom, headerBottom + track};
  const double share = static_cast<double>(visibleRows) / static_cast<double>(count);
  const int32_t length = std::max(8, static_cast<int32_t>(track * share));
  const double position = static_cast<double>(top) / static_cast<double>(count - visibleRows);
  const int32_t start = headerBottom + static_cast<int32_t>((track - length) * position);
  return {start, start + length};
}
