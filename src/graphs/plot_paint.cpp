#include "graphs/plot_paint.h"

#include <algorithm>
#include <cmath>

#include "draw/path.h"
#include "formats/format_store.h"
#include "graphs/plotter.h"
#include "graphs/plotter_layout.h"
#include "objects/property_read.h"
#include "screen/draw_context.h"

namespace {

// Room for one label line, in pixels.
constexpr double kLabelHeight = 14.0;
constexpr double kLabelWidth = 120.0;

}  // namespace

CPlotPaint::CPlotPaint(const CNPPlotter& graph, CNDrawContext& context)
    : m_graph(graph), m_context(context), m_painter(context.GetPainter()) {
  m_font = CRFont::FromText(PropertyText(graph, u"TextFont"));
  m_font.height = static_cast<int32_t>(std::lround(m_font.height * context.GetMinScale()));
  if (!Color(PropertyText(graph, u"TextColor"), m_textColor)) m_textColor = 0;
  // "AutoChangeTextColor": black or white, whichever stands out against the graph's fill.
  uint32_t fill = 0;
  if (PropertyBool(graph, u"AutoChangeTextColor", false) && PropertyBool(graph, u"Fill", true) &&
      Color(PropertyText(graph, u"FillColor"), fill)) {
    const double luminance = 0.299 * (fill & 0xFF) + 0.587 * (fill >> 8 & 0xFF) + 0.114 * (fill >> 16 & 0xFF);
    m_textColor = luminance >= 128 ? 0x000000 : 0xFFFFFF;
  }
}

bool CPlotPaint::Color(std::u16string_view colorText, uint32_t& out) const {
  return m_context.ResolveColor(colorText, out);
}

void CPlotPaint::Text(std::u16string_view text, uint32_t color, const CRRectF& rect, CRTextAlign horizontal,
                      CRTextAlign vertical, int32_t escapement) {
  if (text.empty()) return;
  CRFont font = m_font;
  font.escapement = escapement;
  CRTextFormat format;
  format.horizontal = horizontal;
  format.vertical = vertical;
  m_painter.DrawText(text, font, color, 1.0, rect, format);
}

void CPlotPaint::Line(CRPointF a, CRPointF b, uint32_t color, double width, CRLineStyle style) {
  CRPen pen;
  pen.color = color;
  pen.width = width;
  pen.style = style;
  m_painter.StrokePath(CRPath::Polyline({a, b}), pen);
}

void CPlotPaint::Fill(const CRRectF& rect, std::u16string_view flag, std::u16string_view color) {
  CRBrush brush;
  if (PropertyBool(m_graph, flag, true) && Color(PropertyText(m_graph, color), brush.color))
    m_painter.FillPath(CRPath::Rectangle(rect), brush);
}

void CPlotPaint::Grid(const CRRectF& plot, double xFrom, double xTo, double step) {
  uint32_t color = 0;
  if (!Color(PropertyText(m_graph, u"GridLineColor"), color)) return;
  const CRLineStyle style = LineStyleOf(PropertyItem(m_graph, u"GridLineStyle", 2));
  if (PropertyBool(m_graph, u"GridLineX", true) && step > 0) {
    for (double x = std::ceil(xFrom / step) * step; x <= xTo; x += step) {
      const double at = std::floor(plot.x + (x - xFrom) / (xTo - xFrom) * plot.width) + 0.5;
      Line({at, plot.y}, {at, plot.Bottom()}, color, 1, style);
    }
  }
  const int32_t bands = std::clamp(PropertyInt(m_graph, u"GridCountY", 5), 1, 100);
  if (PropertyBool(m_graph, u"GridLineY", true)) {
    for (int32_t i = 1; i < bands; ++i) {
      const double at = std::floor(plot.Bottom() - plot.height * i / bands) + 0.5;
      Line({plot.x, at}, {plot.Right(), at}, color, 1, style);
    }
  }
}

void CPlotPaint::Bound(const CRRectF& plot) {
  uint32_t color = 0;
  if (!PropertyBool(m_graph, u"GridLineBound", true) ||
      !Color(PropertyText(m_graph, u"GridLineColor"), color))
    return;
  CRPen pen;
  pen.color = color;
  m_painter.StrokePath(CRPath::Rectangle({plot.x + 0.5, plot.y + 0.5, plot.width - 1, plot.height - 1}), pen);
}

void CPlotPaint::XScale(const CRRectF& plot, double xFrom, double xTo, double step) {
  if (!(step > 0)) return;
  const double top = plot.Bottom() + 2 + PropertyInt(m_graph, u"OffsetScaleX", 0);
  // Labels that would run into each other are left out: every how-many-th grid line gets one.
  const double pixelStep = step / (xTo - xFrom) * plot.width;
  const double every = pixelStep > 0 ? std::ceil(0.7 * kLabelWidth / pixelStep) : 1;
  for (double x = std::ceil(xFrom / step) * step; x <= xTo; x += step) {
    if (std::fmod(std::round(x / step), every) != 0) continue;
    const double at = std::floor(plot.x + (x - xFrom) / (xTo - xFrom) * plot.width) + 0.5;
    Text(m_graph.XLabel(x, step), m_textColor, {at - kLabelWidth / 2, top, kLabelWidth, 2 * kLabelHeight},
         CRTextAlign::kCenter, CRTextAlign::kNear);
  }
}

void CPlotPaint::YScale(const CPlotPen& pen, const CPenMapping& mapping) {
  uint32_t color = 0;
  if (!Color(pen.color, color)) color = m_textColor;
  const CRRectF& plot = mapping.plot;
  const int32_t bands = std::clamp(PropertyInt(m_graph, u"GridCountY", 5), 1, 100);
  const std::u16string format = PropertyText(m_graph, m_graph.ValueFormatProperty());
  const CPenDataType type = pen.GetDataType();
  const bool absolute = PropertyItem(m_graph, u"PowerfactorMaxMinType", 0) == 1;
  const double right = plot.x - 4 - PropertyInt(m_graph, u"OffsetScaleY", 0);
  for (int32_t i = 0; i <= bands; ++i) {
    const double r = mapping.bandLow + (mapping.bandHigh - mapping.bandLow) * i / bands;
    std::u16string text;
    if (IsPowerFactor(type)) {
      double p = PowerFactorAt(type, r);
      if (absolute) p = std::abs(p);
      const bool zeroType = type == CPenDataType::kPowerFactor00 || type == CPenDataType::kPowerFactor00p ||
                            type == CPenDataType::kPowerFactor00r || type == CPenDataType::kPowerFactor00rp;
      text = r == 0 && zeroType && !absolute ? u"-0"
                                             : CNFormatStore::Global().Format(format, -1, false, p, -1, -1);
    } else {
      text = CNFormatStore::Global().Format(format, -1, false, pen.low + (pen.high - pen.low) * r, -1, -1);
    }
    const double at = plot.Bottom() - plot.height * i / bands;
    Text(text, color, {right - kScaleYRoom, at - kLabelHeight / 2, kScaleYRoom, kLabelHeight},
         CRTextAlign::kFar, CRTextAlign::kCenter);
  }
}

void CPlotPaint::GuideLines(const CPlotLines& lines, const CRRectF& plot, double low, double high,
                            double displayLow, double displayHigh) {
  const double bandLow = displayLow / 100, bandHigh = displayHigh / 100;
  for (const CPlotLine& guide : lines) {
    uint32_t color = 0, textColor = 0;
    if (!guide.visible || high == low || bandHigh == bandLow || !Color(guide.lineColor, color)) continue;
    const double r = ((guide.value - low) / (high - low) - bandLow) / (bandHigh - bandLow);
    if (r < 0 || r > 1) continue;
    const double at = std::floor(plot.Bottom() - r * plot.height) + 0.5;
    Line({plot.x, at}, {plot.Right(), at}, color, guide.lineSize > 0 ? guide.lineSize : 1,
         LineStyleOf(guide.lineStyle));
    if (!Color(guide.textColor, textColor)) continue;
    const bool upper = guide.textPosition == 1;
    const CRRectF band = {plot.x + 2, upper ? at - kLabelHeight - 1 : at + 1, plot.width - 4, kLabelHeight};
    Text(guide.text1, textColor, band, CRTextAlign::kNear, CRTextAlign::kCenter);
    Text(guide.text2, textColor, band, CRTextAlign::kFar, CRTextAlign::kCenter);
  }
}

void CPlotPaint::Titles(const CRRectF& whole, const CRRectF& plot) {
  const double margin = kPlotMargin;
  Text(PropertyText(m_graph, u"TitleTop"), m_textColor, {plot.x, whole.y + margin, plot.width, kTitleRoom},
       CRTextAlign::kCenter, CRTextAlign::kCenter);
  Text(PropertyText(m_graph, u"TitleBottom"), m_textColor,
       {plot.x, whole.Bottom() - margin - kTitleRoom, plot.width, kTitleRoom}, CRTextAlign::kCenter,
       CRTextAlign::kCenter);
  Text(PropertyText(m_graph, u"TitleLeft"), m_textColor, {whole.x + margin, plot.y, kTitleRoom, plot.height},
       CRTextAlign::kCenter, CRTextAlign::kCenter, 900);
  Text(PropertyText(m_graph, u"TitleRight"), m_textColor,
       {whole.Right() - margin - kTitleRoom, plot.y, kTitleRoom, plot.height}, CRTextAlign::kCenter,
       CRTextAlign::kCenter, 2700);
}

void CPlotPaint::Probes(const CPlotGroup& group, const CRRectF& plot) {
  const int32_t count = PropertyItem(m_graph, u"Probe", 0);
  uint32_t color = 0;
  if (count == 0 || !Color(PropertyText(m_graph, u"ProbeColor"), color)) return;
  const bool data = PropertyBool(m_graph, u"ProbeData", true);
  const double offset = PropertyInt(m_graph, u"OffsetProbeData", 0);
  for (int number = 1; number <= count; ++number) {
    const double at = std::floor(plot.x + plot.width * m_graph.GetProbePos(number)) + 0.5;
    Line({at, plot.y}, {at, plot.Bottom()}, color, 1, CRLineStyle::kSolid);
    if (!data) continue;
    const double x = m_graph.GetProbeX(number);
    double top = plot.y + 2 + offset;
    for (const auto& pen : group.pens) {
      uint32_t penColor = 0;
      if (!pen->visible || !Color(pen->color, penColor) || pen->samples.Empty()) continue;
      const size_t i = pen->samples.IsOrdered() ? pen->samples.LowerBound(x) : pen->samples.Size();
      const SXYPair& sample = pen->samples[i == 0 ? 0 : i - 1];
      CNValue value;
      std::u16string text = u"---";
      if (!IsLackValue(sample.y)) {
        PresentPenValue(pen->GetDataType(), pen->low, pen->high, sample.y, value);
        text = value.IsString(0)
                   ? value.GetText(0)
                   : CNFormatStore::Global().Format(PropertyText(m_graph, m_graph.ValueFormatProperty()), -1,
                                                    false, value.GetNumber(0), -1, -1);
      }
      const bool left = at > plot.x + plot.width / 2;
      Text(text, penColor, {left ? at - 3 - kLabelWidth : at + 3, top, kLabelWidth, kLabelHeight},
           left ? CRTextAlign::kFar : CRTextAlign::kNear, CRTextAlign::kNear);
      top += kLabelHeight;
    }
  }
}

void CPlotPaint::RangeController(const CPlotPen& pen, const CRRectF& plot) {
  uint32_t color = 0;
  if (!Color(pen.color, color)) return;
  const double right = plot.Right() - 1;
  for (const double percent : {pen.displayHigh, pen.displayLow}) {
    const double y = plot.Bottom() - plot.height * percent / 100;
    m_painter.FillPath(CRPath::Polygon({{right, y - 5}, {right, y + 5}, {right - kRangeHandleWidth, y}}),
                       SolidBrush(color));
  }
  const double high = plot.Bottom() - plot.height * pen.displayHigh / 100;
  const double low = plot.Bottom() - plot.height * pen.displayLow / 100;
  Line({right - 0.5, high}, {right - 0.5, low}, color, 1, CRLineStyle::kSolid);
}

void CPlotPaint::ZoomRectangle(CRPointF from, CRPointF to) {
  CRPen pen;
  pen.color = m_textColor;
  pen.style = CRLineStyle::kDot;
  m_painter.StrokePath(CRPath::Rectangle({std::min(from.x, to.x) + 0.5, std::min(from.y, to.y) + 0.5,
                                          std::abs(to.x - from.x), std::abs(to.y - from.y)}),
                       pen);
}

void CPlotPaint::Border(const CRRectF& whole) {
  CRPen pen;
  if (!PropertyBool(m_graph, u"Border", true) || !Color(PropertyText(m_graph, u"BorderColor"), pen.color))
    return;
  pen.width = std::max(1, PropertyInt(m_graph, u"BorderWidth", 1));
  const double inset = pen.width / 2;
  m_painter.StrokePath(CRPath::Rectangle({whole.x + inset, whole.y + inset, whole.width - pen.width,
                                          whole.height - pen.width}),
                       pen);
}
