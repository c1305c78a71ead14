// The alarm grid as drawn: the background and the flat border, the header, only the rows that
// are in view (each coloured by its state and selection), the grid lines and the scroll bar.
#include <algorithm>

#include "alarms/alarm_grid_layout.h"
#include "draw/font.h"
#include "formats/format_store.h"
#include "objects/property_read.h"
#include "screen/border_3d.h"
#include "screen/draw_context.h"

namespace {

// Room between a cell's edge and its text, in form units.
constexpr double kCellInset = 3.0;

constexpr std::u16string_view kHeaders[] = {u"Date/Time", u"Alarm ID", u"State", u"Comments"};

// What one paint of the grid draws with, resolved once.
struct GridPaint {
  CNDrawContext& context;
  CRPainter& painter;
  CRFont font;
  CRTextFormat format;

  void Fill(const CRRectF& rect, uint32_t color) const { painter.FillPath(CRPath::Rectangle(rect), Solid(color)); }
  static CRBrush Solid(uint32_t color) {
    CRBrush brush;
    brush.color = color;
    return brush;
  }
  void Line(CRPointF from, CRPointF to, uint32_t color) const {
    CRPath path;
    path.MoveTo(from);
    path.LineTo(to);
    CRPen pen;
    pen.color = color;
    painter.StrokePath(path, pen);
  }
  // The cells of one line of the table, between the column edges, from top to bottom.
  void Cells(const std::array<int32_t, 5>& columns, int32_t top, int32_t bottom,
             const std::array<std::u16string_view, 4>& texts, uint32_t color) const {
    const double inset = kCellInset * context.GetScaleX();
    for (size_t i = 0; i < texts.size(); ++i) {
      const CRRectF cell = context.ToDevice(CNRect{columns[i], top, columns[i + 1], bottom});
      if (texts[i].empty() || cell.width <= 2 * inset) continue;
      CRPainterStateSaver saver(painter);
      painter.ClipRect(cell);
      painter.DrawText(texts[i], font, color, 1.0, CRRectF{cell.x + inset, cell.y, cell.width - 2 * inset, cell.height},
                       format);
    }
  }
};

}  // namespace

void CNPExternalAlarmGrid::OnDraw(CNDrawContext& context) {
  const Layout layout = GetLayout();
  CRPainter& painter = context.GetPainter();
  const auto color = [&](std::u16string_view property, uint32_t& out) {
    return context.ResolveColor(PropertyText(*this, property), out);
  };
  const CRRectF rect = context.ToDevice(layout.rect);
  GridPaint paint{context, painter, CRFont::FromText(PropertyText(*this, u"TextFont")), {}};
  uint32_t fill = 0;
  if (PropertyBool(*this, u"Fill", true) && color(u"FillColor", fill)) paint.Fill(rect, fill);
  paint.font.height = static_cast<int32_t>(paint.font.height * context.GetMinScale());
  paint.format.vertical = CRTextAlign::kCenter;
  CRPainterStateSaver saver(painter);
  painter.ClipRect(rect);

  uint32_t header = 0;
  if (color(u"HeaderColor", header))
    paint.Fill(context.ToDevice(CNRect{layout.rect.left, layout.rect.top, layout.rect.right, layout.headerBottom}),
               header);
  uint32_t headerText = 0;
  if (color(u"HeaderTextColor", headerText))
    paint.Cells(layout.columns, layout.rect.top, layout.headerBottom, {kHeaders[0], kHeaders[1], kHeaders[2], kHeaders[3]},
                headerText);

  uint32_t text = 0, selected = 0, unacked = 0, fresh = 0, recovered = 0, acked = 0;
  color(u"TextColor", text);
  const bool hasSelected = color(u"SelectedColor", selected);
  const bool hasUnacked = color(u"UnackedRowColor", unacked);
  color(u"NewAlarmColor", fresh);
  color(u"RecoveredAlarmColor", recovered);
  color(u"AckedAlarmColor", acked);
  const std::u16string dateFormat = PropertyText(*this, u"FormatDateTime");
  CNFormatStore& formats = CNFormatStore::Global();
  m_rows.ForEach(m_top, layout.visibleRows, [&](size_t index, const CNAlarmGridRow& row) {
    const int32_t top = layout.headerBottom + static_cast<int32_t>(index - m_top) * layout.rowHeight;
    const CNRect line{layout.rect.left, top, layout.scrollLeft, top + layout.rowHeight};
    const bool standsOut = row.state != CNAlarmRowState::kAcknowledged;
    if (row.selected && hasSelected)
      paint.Fill(context.ToDevice(line), selected);
    else if (standsOut && hasUnacked)
      paint.Fill(context.ToDevice(line), unacked);
    const uint32_t rowColor = row.state == CNAlarmRowState::kNew ? (m_bBlinkOn ? fresh : text)
                              : row.state == CNAlarmRowState::kRecovered ? recovered
                                                                        : acked;
    const std::u16string date = formats.FormatTime(dateFormat, row.date);
    paint.Cells(layout.columns, line.top, line.bottom, {date, row.alarmId, AlarmRowStateName(row.state), row.comments},
                rowColor);
  });

  uint32_t gridLine = 0;
  if (color(u"GridLineColor", gridLine)) {
    const int32_t shown = static_cast<int32_t>(std::min(layout.visibleRows, m_rows.GetCount() - std::min(m_top, m_rows.GetCount())));
    for (int32_t i = 0; i <= shown; ++i) {
      const double y = context.ToDeviceY(layout.headerBottom + i * layout.rowHeight) - 0.5;
      paint.Line({rect.x, y}, {context.ToDeviceX(layout.scrollLeft), y}, gridLine);
    }
    for (size_t c = 1; c < 4; ++c) {
      const double x = context.ToDeviceX(layout.columns[c]) - 0.5;
      paint.Line({x, rect.y}, {x, rect.Bottom()}, gridLine);
    }
    // The scroll bar: its track edged by a line, its thumb filled.
    const Layout::Thumb thumb = layout.ThumbOf(m_top, m_rows.GetCount());
    const double left = context.ToDeviceX(layout.scrollLeft) + 0.5;
    paint.Line({left, context.ToDeviceY(layout.headerBottom)}, {left, rect.Bottom()}, gridLine);
    paint.Fill(context.ToDevice(CNRect{layout.scrollLeft + 3, thumb.top + 2, layout.rect.right - 3, thumb.bottom - 2}),
               gridLine);
  }
  if (PropertyBool(*this, u"Border", true)) DrawObjectBorder(*this, context, rect, CNBorderStyle::kFlat);
}
