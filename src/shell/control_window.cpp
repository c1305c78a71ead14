#include "shell/control_window.h"

#include <algorithm>
#include <utility>

#include "browser/screen_image.h"
#include "draw/painter.h"
#include "views/view.h"

CControlWindow::CControlWindow(CNPProjectBrowser& browser, CNSize size) : m_browser(browser) { Resize(size); }

void CControlWindow::Resize(CNSize size) {
  m_size = {std::clamp(size.width, 1, kMaxSide), std::clamp(size.height, 1, kMaxSide)};
  m_browser.SetHostSize({m_size.width - 1, m_size.height});
  m_browser.SetHostSize(m_size);
  m_surface = std::make_unique<CRSurface>(m_size.width, m_size.height);
  m_bWhole = true;
}

bool CControlWindow::Paint() {
  const bool whole = std::exchange(m_bWhole, false);
  CRPainter painter(*m_surface);
  if (whole) {
    PaintScreenBackground(painter, m_size);
    m_browser.PaintFrameSpacing(painter);
  }
  bool painted = whole;
  for (const CNShownView& shown : m_browser.GetShownViews()) {
    CRRectF area;
    const bool dirty = shown.view->TakeDirtyArea(area);
    if (whole) area = {0, 0, shown.rect.width, shown.rect.height};
    else if (!dirty) continue;
    PaintShownView(painter, *shown.view, shown.rect, area, m_browser.GetImageSource());
    painted = true;
  }
  return painted;
}
