#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "draw/geometry.h"
#include "draw/painter.h"
#include "graphs/pen_trace.h"
#include "graphs/plot_line.h"
#include "graphs/plot_pen.h"

class CNDrawContext;

inline CRBrush SolidBrush(uint32_t color) {
  CRBrush brush;
  brush.color = color;
  return brush;
}

// The line style of an item of "SOLID,DASH,DOT,DASHDOT,DASHDOTDOT".
inline CRLineStyle LineStyleOf(int32_t item) {
  return static_cast<CRLineStyle>(std::clamp(item, 0, static_cast<int32_t>(CRLineStyle::kDashDotDot)));
}
class CNPPlotter;

// The drawing verbs of a graph, in surface pixels, reading the graph's look from its
// properties.
class CPlotPaint {
 public:
  CPlotPaint(const CNPPlotter& graph, CNDrawContext& context);

  // The rectangle in the colour property when the flag property is on.
  void Fill(const CRRectF& rect, std::u16string_view flag, std::u16string_view color);
  // Vertical lines every step from a multiple of it ("GridLineX"), "GridCountY" bands
  // ("GridLineY"), in "GridLineColor" and "GridLineStyle".
  void Grid(const CRRectF& plot, double xFrom, double xTo, double step);
  // The plot's bound ("GridLineBound").
  void Bound(const CRRectF& plot);
  // Labels under the grid lines.
  void XScale(const CRRectF& plot, double xFrom, double xTo, double step);
  // The pen's visible band in its colour: "GridCountY" + 1 labels from bottom to top; power
  // factors presented, 1 in the middle.
  void YScale(const CPlotPen& pen, const CPenMapping& mapping);
  // By "PlotType": periodic lines (with points and bars while there are fewer samples than
  // pixels), change-based steps, or a colour bar in a strip at the bottom (colorBars counts
  // them).
  void Pen(const CPlotPen& pen, const CPenMapping& mapping, size_t& colorBars);
  // Lines at values of the low..high scale shown through the display band.
  void GuideLines(const CPlotLines& lines, const CRRectF& plot, double low, double high, double displayLow,
                  double displayHigh);
  void Titles(const CRRectF& whole, const CRRectF& plot);
  // One or two probes in "ProbeColor", with the pens' values beside them when "ProbeData" is on.
  void Probes(const CPlotGroup& group, const CRRectF& plot);
  // The two handles on the plot's right edge at the pen's display band.
  void RangeController(const CPlotPen& pen, const CRRectF& plot);
  void ZoomRectangle(CRPointF from, CRPointF to);
  void Border(const CRRectF& whole);

 private:
  bool Color(std::u16string_view colorText, uint32_t& out) const;
  void Text(std::u16string_view text, uint32_t color, const CRRectF& rect, CRTextAlign horizontal,
            CRTextAlign vertical, int32_t escapement = 0);
  void Line(CRPointF a, CRPointF b, uint32_t color, double width, CRLineStyle style);
  // Half-transparent bars of "BarSize" from the plot's bottom up to each value; with
  // "PlotBarAdjustment" no wider than the room between neighbouring samples.
  // A strip at the bottom of the plot, the index-th from below; each sample's colour is mixed
  // along "ColorBarColor" by its value and holds up to the next sample's column.
  void ColorBar(const CPlotPen& pen, const CPenMapping& mapping, size_t index);
  void Bars(const CPenTrace& trace, const CPlotPen& pen, uint32_t color, const CRRectF& plot);

  const CNPPlotter& m_graph;
  CNDrawContext& m_context;
  CRPainter& m_painter;
  CRFont m_font;
  uint32_t m_textColor = 0;
};
