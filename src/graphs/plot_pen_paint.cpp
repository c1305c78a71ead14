// Pens as drawn: lines, steps, points, bars, lacks and colour bars.
#include <algorithm>
#include <cmath>

#include "draw/path.h"
#include "graphs/plot_paint.h"
#include "graphs/plotter.h"
#include "objects/property_read.h"
#include "screen/draw_context.h"

namespace {

// The width of a colour-bar strip when the pen gives none.
constexpr double kDefaultBarSize = 12.0;

// The colours of a colour list text, "," or line breaks between.
std::vector<uint32_t> ColorList(const CNDrawContext& context, std::u16string_view text) {
  std::vector<uint32_t> colors;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u",\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    uint32_t color = 0;
    if (end > start && context.ResolveColor(text.substr(start, end - start), color)) colors.push_back(color);
    start = end + 1;
  }
  return colors;
}

// The colour at position r (0 to 1) of a list, mixed between its neighbours.
uint32_t ColorAt(const std::vector<uint32_t>& colors, double r) {
  if (colors.size() == 1) return colors[0];
  const double at = std::clamp(r, 0.0, 1.0) * static_cast<double>(colors.size() - 1);
  const size_t i = std::min(static_cast<size_t>(at), colors.size() - 2);
  const double t = at - static_cast<double>(i);
  uint32_t mixed = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double a = (colors[i] >> shift) & 0xFF, b = (colors[i + 1] >> shift) & 0xFF;
    mixed |= static_cast<uint32_t>(std::lround(a + (b - a) * t)) << shift;
  }
  return mixed;
}

}  // namespace

void CPlotPaint::Pen(const CPlotPen& pen, const CPenMapping& mapping, size_t& colorBars) {
  uint32_t color = 0;
  if (!Color(pen.color, color)) return;
  const CRRectF& plot = mapping.plot;
  if (pen.GetPlotType() == CPenPlotType::kColorBar) {
    ColorBar(pen, mapping, colorBars++);
    return;
  }
  const CPenTrace trace = TracePen(pen, mapping, true);
  CRPen line;
  line.color = color;
  line.width = pen.lineSize > 0 ? pen.lineSize : 1;
  line.style = LineStyleOf(pen.lineStyle);
  line.join = CRLineJoin::kRound;
  const bool steps = pen.GetPlotType() == CPenPlotType::kChangeBased;
  for (const auto& run : trace.runs) {
    if (run.size() == 1) {
      m_painter.FillPath(CRPath::Rectangle({run[0].x - 0.5, run[0].y - line.width / 2, 1, line.width}),
                         SolidBrush(color));
      continue;
    }
    if (pen.lineSize <= 0) continue;
    if (steps) {
      m_painter.StrokePolyline(StepPoints(run), line);
    } else {
      m_painter.StrokePolyline(run, line);
    }
  }
  if (pen.lackLineSize > 0) {
    const CRLineStyle lackStyle = LineStyleOf(PropertyItem(m_graph, u"PlotLackLineStyle", 2));
    for (const auto& [a, b] : trace.gaps)
      Line(a, steps ? CRPointF{b.x, a.y} : b, color, pen.lackLineSize, lackStyle);
  }
  const CRBrush dot = SolidBrush(color);
  if (pen.lackPointSize > 0)
    for (const auto& p : trace.lackPoints)
      m_painter.FillPath(CRPath::Ellipse({p.x - pen.lackPointSize / 2, p.y - pen.lackPointSize / 2,
                                          pen.lackPointSize, pen.lackPointSize}),
                         dot);
  const bool fewSamples = static_cast<double>(trace.samplesInView) <= plot.width;
  if (pen.barSize > 0 && fewSamples && !steps) Bars(trace, pen, color, plot);
  if (pen.pointSize > 0 && fewSamples)
    for (const auto& run : trace.runs)
      for (const auto& p : run)
        m_painter.FillPath(CRPath::Rectangle({p.x - pen.pointSize / 2, p.y - pen.pointSize / 2, pen.pointSize,
                                              pen.pointSize}),
                           dot);
}

void CPlotPaint::ColorBar(const CPlotPen& pen, const CPenMapping& mapping, size_t index) {
  const CRRectF& plot = mapping.plot;
  const std::vector<uint32_t> colors = ColorList(m_context, pen.colorBarColor);
  if (colors.empty()) return;
  const double size = pen.barSize > 0 ? pen.barSize : kDefaultBarSize;
  const double bottom = plot.Bottom() - size * static_cast<double>(index);
  // Each sample holds its colour up to the next sample's column; of the samples of one column
  // the last one is seen, so one sample per column is drawn.
  const CPlotSamples& samples = pen.samples;
  if (!samples.IsOrdered()) return;
  size_t begin = 0, end = 0;
  VisibleRun(samples, mapping, begin, end);
  for (size_t next = begin, hint = 0; next < end;) {
    const size_t i = ColumnEnd(samples, mapping, next, end, hint) - 1;
    hint = i + 1 - next;
    next = i + 1;
    if (next >= end || IsLackValue(samples[i].y)) continue;
    const double a = std::max(plot.x, plot.x + mapping.Column(samples[i].x));
    const double b = std::min(plot.Right(), plot.x + mapping.Column(samples[next].x));
    if (b <= a) continue;
    CRBrush brush;
    brush.color = ColorAt(colors, PenValuePosition(pen.GetDataType(), pen.low, pen.high, samples[i].y));
    brush.alpha = std::clamp(pen.colorBarAlpha, 0.0, 1.0);
    m_painter.FillPath(CRPath::Rectangle({a, bottom - size, b - a, size}), brush);
  }
}

void CPlotPaint::Bars(const CPenTrace& trace, const CPlotPen& pen, uint32_t color, const CRRectF& plot) {
  CRBrush brush = SolidBrush(color);
  brush.alpha = 0.5;
  const bool adjust = PropertyBool(m_graph, u"PlotBarAdjustment", false);
  for (const auto& run : trace.runs) {
    for (size_t i = 0; i < run.size(); ++i) {
      double width = pen.barSize;
      // Narrowed to the room up to the neighbouring samples, so that bars never overlap.
      if (adjust && run.size() > 1) {
        const double left = i > 0 ? run[i].x - run[i - 1].x : run[i + 1].x - run[i].x;
        const double right = i + 1 < run.size() ? run[i + 1].x - run[i].x : left;
        width = std::max(1.0, std::min({width, left, right}));
      }
      const double top = std::min(run[i].y, plot.Bottom());
      m_painter.FillPath(CRPath::Rectangle({run[i].x - width / 2, top, width, plot.Bottom() - top}), brush);
    }
  }
}
