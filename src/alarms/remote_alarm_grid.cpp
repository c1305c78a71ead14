// The alarm grid's rows, input and blinking; its drawing is in alarm_grid_draw.cpp.
#include "alarms/remote_alarm_grid.h"

#include "alarms/alarm_grid_layout.h"
#include "browser/project_browser.h"
#include "formats/format_store.h"
#include "objects/property_read.h"
#include "support/millisecond_clock.h"

CNPExternalAlarmGrid::~CNPExternalAlarmGrid() {
  if (m_pProject) m_pProject->RemoveTickListener(this);
}

CNPExternalAlarmGrid::Layout CNPExternalAlarmGrid::GetLayout() const {
  return Layout::Of(*this);
}

size_t CNPExternalAlarmGrid::GetVisibleRowCount() const {
  return GetLayout().visibleRows;
}

void CNPExternalAlarmGrid::ScrollTo(size_t top) {
  const size_t visible = GetVisibleRowCount();
  const size_t last = m_rows.GetCount() > visible ? m_rows.GetCount() - visible : 0;
  const size_t clamped = top > last ? last : top;
  if (clamped == m_top) return;
  m_top = clamped;
  RequestRedraw();
}

bool CNPExternalAlarmGrid::AckSelected() {
  const std::vector<std::u16string> ids = m_rows.GetSelectedIds();
  if (ids.empty()) return false;
  const bool acked = ids.size() == 1 ? GetServer().Ack(ids.front()) : GetServer().AckPage(ids);
  if (acked) {
    m_rows.ClearSelection();
    RequestRedraw();
  }
  return acked;
}

void CNPExternalAlarmGrid::SetBlinkOn(bool on) {
  if (on == m_bBlinkOn) return;
  m_bBlinkOn = on;
  if (m_rows.HasState(CNAlarmRowState::kNew)) RequestRedraw();
}

void CNPExternalAlarmGrid::ButtonDown(CNMouseButton button, const CNPoint& at) {
  CNPExternalAlarmClient::ButtonDown(button, at);
  if (button != MOUSE_LEFT) return;
  const Layout layout = GetLayout();
  if (layout.InScrollBar(at)) {
    const size_t page = layout.visibleRows ? layout.visibleRows : 1;
    const Layout::Thumb thumb = layout.ThumbOf(m_top, m_rows.GetCount());
    if (at.y < thumb.top)
      ScrollTo(m_top > page ? m_top - page : 0);
    else if (at.y >= thumb.bottom)
      ScrollTo(m_top + page);
    return;
  }
  size_t row = 0;
  if (!layout.RowAt(at, row)) return;
  m_rows.ToggleSelection(m_top + row);
  RequestRedraw();
}

void CNPExternalAlarmGrid::MouseWheel(int16_t delta, const CNPoint& at) {
  CNPExternalAlarmClient::MouseWheel(delta, at);
  const size_t rows = static_cast<size_t>(delta < 0 ? -delta : delta) / 120 * kWheelRows;
  const size_t step = rows ? rows : kWheelRows;
  // The wheel turned away from the user (a positive delta) scrolls up.
  ScrollTo(delta > 0 ? (m_top > step ? m_top - step : 0) : m_top + step);
}

void CNPExternalAlarmGrid::OnStartRunning() {
  CNPExternalAlarmClient::OnStartRunning();
  if (auto* browser = dynamic_cast<CNPProjectBrowser*>(GetOwner()); browser && !m_pProject) {
    m_pProject = browser;
    m_pProject->AddTickListener(this);
  }
}

void CNPExternalAlarmGrid::OnTick(uint32_t code) {
  if (code != 1) return;  // the refresh tick
  CNBlinkFormat blink;
  if (!CNFormatStore::Global().GetBlinkFormat(PropertyText(*this, u"BlinkFormat"), blink) || blink.interval <= 0)
    return;
  const uint32_t now = CNMillisecondClock::GetCurrent().Now();
  SetBlinkOn(now / static_cast<uint32_t>(blink.interval) % 2 == 0);
}

void CNPExternalAlarmGrid::Deliver(const CNAlarmPush& push) {
  CNPExternalAlarmClient::Deliver(push);
  if (push.kind != CNAlarmPush::kRecord) return;
  // Rows stay where they are under the operator's eyes: a scrolled grid keeps its rows in view.
  const size_t before = m_rows.GetCount();
  m_rows.Apply(push.record);
  if (m_top > 0 && m_rows.GetCount() > before) ++m_top;
  RequestRedraw();
}

void CNPExternalAlarmGrid::PropertyChanged(std::u16string_view name) {
  CNPExternalAlarmClient::PropertyChanged(name);
  if (name == u"MaxRows") m_rows.SetMaxRows(static_cast<size_t>(PropertyInt(*this, u"MaxRows", 10000)));
}
