#pragma once

#include <cstdint>
#include <memory>

#include "project/frameset_definition.h"
#include "screen/pobject.h"
#include "views/view_browser.h"

// The window that shows one view in the control's area: the main view, or one frame of a frame
// set. It gives the view its size, takes the frame's alignment, shows the scroll bars the frame
// allows when the form is larger than the view, and counts the repaints the view asked for.
class CNPFrameWnd : public CNPView::FrameWindowConnectionPoint {
 public:
  CNPFrameWnd(std::shared_ptr<CNPViewBrowser> view, const CNPFrameDefinition& definition);
  ~CNPFrameWnd() override;
  CNPFrameWnd(const CNPFrameWnd&) = delete;
  CNPFrameWnd& operator=(const CNPFrameWnd&) = delete;

  CNPViewBrowser& GetView() const { return *m_view; }
  const std::shared_ptr<CNPViewBrowser>& GetSharedView() const { return m_view; }
  const CNPFrameDefinition& GetDefinition() const { return m_definition; }

  const CNRect& GetRect() const { return m_rect; }
  void SetRect(const CNRect& rect);
  bool HasScrollBarX() const { return m_bScrollBarX; }
  bool HasScrollBarY() const { return m_bScrollBarY; }
  // How often the view asked for a repaint since the window was made.
  uint32_t GetPaintRequestCount() const { return m_ulPaintRequests; }

  void ViewLayoutChanged(CNPView& view) override;
  void ViewNeedsPaint(CNPView& /*view*/) override { ++m_ulPaintRequests; }

 private:
  std::shared_ptr<CNPViewBrowser> m_view;
  CNPFrameDefinition m_definition;
  CNRect m_rect;
  bool m_bScrollBarX = false;
  bool m_bScrollBarY = false;
  uint32_t m_ulPaintRequests = 0;
};
