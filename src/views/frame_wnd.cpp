#include "views/frame_wnd.h"

#include <utility>

CNPFrameWnd::CNPFrameWnd(std::shared_ptr<CNPViewBrowser> view, const CNPFrameDefinition& definition)
    : m_view(std::move(view)), m_definition(definition) {
  m_view->SetFrameWindow(this);
  m_view->SetAlignment(definition.alignX, definition.alignY);
}

CNPFrameWnd::~CNPFrameWnd() {
  if (m_view->GetFrameWindow() == this) m_view->SetFrameWindow(nullptr);
}

void CNPFrameWnd::SetRect(const CNRect& rect) {
  m_rect = rect;
  m_view->SetViewSize({rect.Width(), rect.Height()});
}

void CNPFrameWnd::ViewLayoutChanged(CNPView& view) {
  const CNStretchLayout& layout = view.GetLayout();
  const CNSize size = view.GetViewSize();
  m_bScrollBarX = m_definition.scrollBarX && view.GetForm() && layout.contentSize.width > size.width;
  m_bScrollBarY = m_definition.scrollBarY && view.GetForm() && layout.contentSize.height > size.height;
}
