// Operator input: dragging probes and the range controller's handles, and mouse zoom.
#include <algorithm>
#include <cmath>

#include "graphs/plotter.h"
#include "graphs/plotter_layout.h"
#include "objects/property_read.h"

namespace {

enum ZoomMode : int32_t { kZoomNone, kZoomX, kZoomY, kZoomXY };
enum ProbeMode : int32_t { kProbeNone, kProbeSingle, kProbeDual };

// How near (form units) a press must come to a probe or a handle to take it.
constexpr double kGrabDistance = 4.0;
// A zoom rectangle smaller than this on an axis does not zoom that axis.
constexpr int32_t kMinZoomDrag = 3;
// The range controller's handles stay this far apart (percent of the plot height).
constexpr double kMinHandleGap = 5.0;

double Fraction(double at, double from, double size) {
  return size > 0 ? std::clamp((at - from) / size, 0.0, 1.0) : 0.0;
}

}  // namespace

int32_t CNPPlotter::MouseZoomMode() const {
  return PropertyItem(*this, u"MouseZoom", kZoomNone);
}

void CNPPlotter::ButtonDown(CNMouseButton button, const CNPoint& at) {
  CNPControl::ButtonDown(button, at);
  if (button != MOUSE_LEFT) return;
  const CRRectF plot = GetPlotRect();
  if (!plot.Contains(at.x, at.y)) return;
  m_drag = CDrag::kNone;
  const int32_t probes = PropertyItem(*this, u"Probe", kProbeNone);
  const CPlotPen* pen = GetPen(m_selectedPen);
  for (int number = probes; number >= 1 && m_drag == CDrag::kNone; --number)
    if (std::abs(plot.x + plot.width * GetProbePos(number) - at.x) <= kGrabDistance)
      m_drag = number == 1 ? CDrag::kProbe1 : CDrag::kProbe2;
  if (m_drag == CDrag::kNone && pen && PropertyBool(*this, u"ShowRangeController", false) &&
      at.x >= plot.Right() - kRangeHandleWidth) {
    const double highY = plot.Bottom() - plot.height * pen->displayHigh / 100;
    const double lowY = plot.Bottom() - plot.height * pen->displayLow / 100;
    if (std::abs(at.y - highY) <= kGrabDistance)
      m_drag = CDrag::kRangeHigh;
    else if (std::abs(at.y - lowY) <= kGrabDistance)
      m_drag = CDrag::kRangeLow;
  }
  if (m_drag == CDrag::kNone && MouseZoomMode() != kZoomNone) m_drag = CDrag::kZoom;
  if (m_drag == CDrag::kNone) return;
  m_dragStart = m_dragAt = at;
  SetHold(true);
}

void CNPPlotter::MouseMove(const CNPoint& at) {
  CNPControl::MouseMove(at);
  switch (m_drag) {
    case CDrag::kProbe1:
    case CDrag::kProbe2:
      MoveProbeTo(m_drag == CDrag::kProbe1 ? 1 : 2, at);
      break;
    case CDrag::kRangeHigh:
    case CDrag::kRangeLow:
      MoveRangeHandle(m_drag == CDrag::kRangeHigh, at);
      break;
    case CDrag::kZoom:
      m_dragAt = at;
      RequestRedraw();
      break;
    case CDrag::kNone:
      break;
  }
}

void CNPPlotter::ButtonUp(CNMouseButton button, const CNPoint& at) {
  CNPControl::ButtonUp(button, at);
  if (button != MOUSE_LEFT || m_drag == CDrag::kNone) return;
  if (m_drag == CDrag::kZoom) FinishZoom(at);
  if (m_drag == CDrag::kProbe1 || m_drag == CDrag::kProbe2) FireProbeChanged();
  m_drag = CDrag::kNone;
  SetHold(false);
  RequestRedraw();
}

void CNPPlotter::ButtonDblClick(CNMouseButton button, const CNPoint& at) {
  CNPControl::ButtonDblClick(button, at);
  if (button == MOUSE_LEFT && GetPlotRect().Contains(at.x, at.y)) ResetMouseZoom();
}

// The probe follows the mouse across the plot; in "DUAL" mode the two stay a pixel apart.
void CNPPlotter::MoveProbeTo(int number, const CNPoint& at) {
  const CRRectF plot = GetPlotRect();
  double position = Fraction(at.x, plot.x, plot.width);
  if (PropertyItem(*this, u"Probe", kProbeNone) == kProbeDual && plot.width > 0) {
    const double pixel = 1.0 / plot.width;
    position = number == 1 ? std::min(position, m_probe[1] - pixel) : std::max(position, m_probe[0] + pixel);
    position = std::clamp(position, 0.0, 1.0);
  }
  double& probe = m_probe[number - 1];
  if (probe == position) return;
  probe = position;
  RequestRedraw();
  CNValue args[2];
  args[0].SetNumber(number);
  args[1].SetNumber(position);
  FireEvent(u"OnProbeChanging", args, 2);
}

void CNPPlotter::MoveRangeHandle(bool high, const CNPoint& at) {
  CPlotPen* pen = GetPen(m_selectedPen);
  if (!pen) return;
  const CRRectF plot = GetPlotRect();
  double percent = 100.0 * (1.0 - Fraction(at.y, plot.y, plot.height));
  percent = high ? std::max(percent, pen->displayLow + kMinHandleGap)
                 : std::min(percent, pen->displayHigh - kMinHandleGap);
  percent = std::clamp(percent, 0.0, 100.0);
  double& stored = high ? pen->displayHigh : pen->displayLow;
  if (stored == percent) return;
  stored = percent;
  RequestRedraw();
  CNValue args[2];
  args[0].SetNumber(pen->displayLow);
  args[1].SetNumber(pen->displayHigh);
  FireEvent(u"OnRangeControlerChanging", args, 2);
}

// The dragged rectangle becomes the X range, the part of the value bands shown, or both.
void CNPPlotter::FinishZoom(const CNPoint& at) {
  const int32_t mode = MouseZoomMode();
  const CRRectF plot = GetPlotRect();
  const bool zoomX = (mode == kZoomX || mode == kZoomXY) && std::abs(at.x - m_dragStart.x) >= kMinZoomDrag;
  const bool zoomY = (mode == kZoomY || mode == kZoomXY) && std::abs(at.y - m_dragStart.y) >= kMinZoomDrag;
  if (!zoomX && !zoomY) return;
  CZoom zoom = m_zoom;
  if (!zoom.active) GetXRange(zoom.xFrom, zoom.xTo);
  if (zoomX) {
    const double a = Fraction(std::min(at.x, m_dragStart.x), plot.x, plot.width);
    const double b = Fraction(std::max(at.x, m_dragStart.x), plot.x, plot.width);
    const double span = zoom.xTo - zoom.xFrom;
    zoom.xTo = zoom.xFrom + span * b;
    zoom.xFrom += span * a;
  }
  if (zoomY) {
    const double a = 1.0 - Fraction(std::max(at.y, m_dragStart.y), plot.y, plot.height);
    const double b = 1.0 - Fraction(std::min(at.y, m_dragStart.y), plot.y, plot.height);
    const double span = zoom.yHigh - zoom.yLow;
    zoom.yHigh = zoom.yLow + span * b;
    zoom.yLow += span * a;
  }
  zoom.active = true;
  m_zoom = zoom;
  RequestRedraw();
  CNValue state;
  state.SetNumber(1);
  FireEvent(u"OnChangeMouseZoom", &state, 1);
}

void CNPPlotter::ResetMouseZoom() {
  if (!m_zoom.active) return;
  m_zoom = CZoom{};
  RequestRedraw();
  CNValue state;
  state.SetNumber(0);
  FireEvent(u"OnChangeMouseZoom", &state, 1);
}
