// What the host window needs of the runtime: where the views are, the mouse, the focus, the
// modal dialog.
#include <algorithm>

#include "browser/project_browser.h"
#include "controls/form.h"
#include "views/view_transform.h"
#include "views/views.h"

void CNPProjectBrowser::SetHostSize(CNSize size) {
  m_views->SetArea({0, 0, std::max(size.width, 0), std::max(size.height, 0)});
}

std::vector<CNShownView> CNPProjectBrowser::GetShownViews() const {
  std::vector<CNShownView> shown;
  if (CNPFrameWnd* main = m_views->GetMainFrame()) shown.push_back({&main->GetView(), ToRectF(main->GetRect())});
  if (CNPFramesetWnd* frameset = m_views->GetFrameset())
    for (const auto& frame : frameset->GetFrames()) shown.push_back({&frame->GetView(), ToRectF(frame->GetRect())});
  return shown;
}

void CNPProjectBrowser::PaintFrameSpacing(CRPainter& painter) const {
  if (CNPFramesetWnd* frameset = m_views->GetFrameset()) frameset->PaintSpacing(painter);
}

std::vector<CNPBasisDialog*> CNPProjectBrowser::GetOpenDialogs() const {
  std::vector<CNPBasisDialog*> dialogs;
  for (const auto& dialog : m_views->GetDialogs()) dialogs.push_back(dialog.get());
  return dialogs;
}

CNPViewBrowser* CNPProjectBrowser::FindViewOfObject(const CNObject& object) const {
  for (const CNObject* at = &object; at; at = at->GetParent())
    if (at->GetClassId() == CNPForm::kClassId) return m_views->FindViewOfForm(*at);
  return nullptr;
}

namespace {

// The last mouse position in view, in its form's coordinates; false without a view or a mouse.
bool MousePositionIn(const CNPViewBrowser* view, int32_t& x, int32_t& y) {
  CNPoint at;
  if (!view || !view->GetMousePosition(at)) return false;
  x = at.x;
  y = at.y;
  return true;
}

}  // namespace

bool CNPProjectBrowser::GetMousePosition(int32_t& x, int32_t& y) const {
  return MousePositionIn(m_views->FindView(m_views->GetActiveViewName()), x, y);
}

bool CNPProjectBrowser::GetMousePositionOf(const CNObject& object, int32_t& x, int32_t& y) const {
  return MousePositionIn(FindViewOfObject(object), x, y);
}

void CNPProjectBrowser::MoveFocus(CNPEditBox& box, bool forward) {
  if (CNPViewBrowser* view = FindViewOfObject(box)) view->MoveTabStop(forward ? u"next" : u"previous");
}

bool CNPProjectBrowser::IsInputBlocked(const CNPView& view) const {
  CNPBasisDialog* modal = m_views->GetModalDialog();
  return modal && &modal->GetView() != &view;
}
