// The graph as drawn: the frame and fills, the grid, the scales, the pens, guide lines, probes,
// the range controller and the zoom rectangle being dragged.
#include <algorithm>
#include <cmath>

#include "graphs/pen_trace.h"
#include "graphs/plot_paint.h"
#include "graphs/plotter.h"
#include "objects/property_read.h"
#include "screen/draw_context.h"

namespace {

enum DrawOutOfRange : int32_t { kDrawAll, kLimitX, kLimitY, kLimitXY };

}  // namespace

void CNPPlotter::OnDraw(CNDrawContext& context) {
  CPlotPaint paint(*this, context);
  CRPainter& painter = context.GetPainter();
  const CRRectF whole = context.ToDevice(GetRect());
  const CRRectF form = GetPlotRect();
  const CRRectF plot = {context.ToDeviceX(form.x), context.ToDeviceY(form.y),
                        context.ToDeviceX(form.Right()) - context.ToDeviceX(form.x),
                        context.ToDeviceY(form.Bottom()) - context.ToDeviceY(form.y)};
  paint.Fill(whole, u"Fill", u"FillColor");
  paint.Fill(plot, u"FillGrid", u"FillGridColor");
  double xFrom = 0, xTo = 0;
  GetXRange(xFrom, xTo);
  const double step = XGridStep(xFrom, xTo);
  paint.Grid(plot, xFrom, xTo, step);

  const CPlotGroup* group = GetSelectedGroupPtr();
  const CPlotPen* scalePen = GetPen(m_selectedPen ? m_selectedPen : 1);
  double zoomLow = 0, zoomHigh = 1;
  GetZoomBand(zoomLow, zoomHigh);
  const auto mappingOf = [&](const CPlotPen& pen) {
    CPenMapping mapping;
    mapping.plot = plot;
    mapping.xFrom = xFrom;
    mapping.xTo = xTo;
    const double low = pen.displayLow / 100, high = pen.displayHigh / 100;
    mapping.bandLow = low + (high - low) * zoomLow;
    mapping.bandHigh = low + (high - low) * zoomHigh;
    mapping.flatten = PropertyItem(*this, u"PlotOutOfRange", 0) == 3;
    return mapping;
  };

  if (group) {
    const int32_t limit = PropertyItem(*this, u"DrawOutOfRange", kDrawAll);
    const bool limitX = limit == kLimitX || limit == kLimitXY, limitY = limit == kLimitY || limit == kLimitXY;
    const auto drawPens = [&] {
      CRPainterStateSaver saver(painter);
      painter.ClipRect({limitX ? plot.x : whole.x, limitY ? plot.y : whole.y,
                        limitX ? plot.width : whole.width, limitY ? plot.height : whole.height});
      size_t colorBars = 0;
      for (const auto& pen : group->pens)
        if (pen->visible) paint.Pen(*pen, mappingOf(*pen), colorBars);
    };
    const auto drawLines = [&] {
      if (scalePen)
        paint.GuideLines(group->lines, plot, group->low, group->high, scalePen->displayLow,
                         scalePen->displayHigh);
      for (const auto& pen : group->pens)
        if (pen->visible)
          paint.GuideLines(pen->lines, plot, pen->low, pen->high, pen->displayLow, pen->displayHigh);
    };
    if (PropertyBool(*this, u"DrawPlotLineFront", false)) {
      drawLines();
      drawPens();
    } else {
      drawPens();
      drawLines();
    }
  }
  paint.Bound(plot);
  if (PropertyBool(*this, u"ShowScaleX", true)) paint.XScale(plot, xFrom, xTo, step);
  if (scalePen && PropertyBool(*this, u"ShowScaleY", true)) paint.YScale(*scalePen, mappingOf(*scalePen));
  paint.Titles(whole, plot);
  if (group) paint.Probes(*group, plot);
  if (scalePen && m_selectedPen && PropertyBool(*this, u"ShowRangeController", false))
    paint.RangeController(*scalePen, plot);
  CNPoint from, to;
  if (GetZoomDrag(from, to))
    paint.ZoomRectangle(context.ToDevice(from.x, from.y), context.ToDevice(to.x, to.y));
  paint.Border(whole);
}
