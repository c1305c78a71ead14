#include "browser/project_wnd.h"

#include <utility>

CNPProjectWnd::CNPProjectWnd(CNPProject& project, CRMessageLoop& loop, Handler handler)
    : m_project(project), m_loop(loop), m_handler(std::move(handler)) {}

CNPProjectWnd::~CNPProjectWnd() { Stop(); }

bool CNPProjectWnd::Start() {
  m_bStopping.store(false);
  return m_thread.Start(*this);
}

void CNPProjectWnd::Stop() {
  m_bStopping.store(true);
  m_thread.Stop(true);
}

bool CNPProjectWnd::OnThreadTick(CRThread& thread) {
  if (!m_project.IsOpen()) {
    m_usCounter.store(0, std::memory_order_relaxed);
    thread.WaitForStop(kTickResolutionMs);
    return true;
  }
  const uint16_t n = m_usCounter.load(std::memory_order_relaxed);
  const CNTickStep step = ScheduleTick(n, TickDivisor(m_project.GetRefreshPeriod()),
                                       TickDivisor(m_project.GetCyclePeriod()), m_project.GetBusyCounters());
  for (uint8_t i = 0; i < step.count && !m_bStopping.load(); ++i) {
    const uint32_t code = step.codes[i];
    m_loop.Send([this, code] { m_handler(code); }, m_bStopping);
  }
  if (step.advance) m_usCounter.store(static_cast<uint16_t>(n + 1), std::memory_order_relaxed);
  thread.WaitForStop(step.sleepMs);
  return true;
}
