#include "views/view.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "objects/property_read.h"
#include "project/form_objects.h"
#include "project/stretch_mode.h"
#include "values/value.h"

namespace {

void SetSize(CNObject& form, CNSize size) {
  CNValue value;
  value.SetNumber(size.width);
  form.SetProperty(u"Width", value);
  value.SetNumber(size.height);
  form.SetProperty(u"Height", value);
}

}  // namespace

CNPView::~CNPView() { *m_alive = false; }

void CNPView::SetViewSize(CNSize size) {
  m_viewSize = {std::max(size.width, 0), std::max(size.height, 0)};
  Layout();
}

void CNPView::SetAlignment(CNAlign x, CNAlign y) {
  m_alignX = x;
  m_alignY = y;
  Layout();
}

void CNPView::SetScrollPos(CNPoint position) {
  const int32_t maxX = std::max(m_layout.contentSize.width - m_viewSize.width, 0);
  const int32_t maxY = std::max(m_layout.contentSize.height - m_viewSize.height, 0);
  const CNPoint clamped{std::clamp(position.x, 0, maxX), std::clamp(position.y, 0, maxY)};
  if (clamped == m_scroll) return;
  m_scroll = clamped;
  m_dirty.InvalidateAll();
}

void CNPView::RequestPaint(CNObject& object) {
  if (auto* screen = dynamic_cast<CNPObject*>(&object)) m_dirty.Request(*screen);
}

CNViewTransform CNPView::GetTransform() const {
  return {m_layout.scaleX, m_layout.scaleY, static_cast<double>(m_layout.offsetX) - m_scroll.x,
          static_cast<double>(m_layout.offsetY) - m_scroll.y};
}

void CNPView::ShowForm(CRPtr<CNPObject> form, int32_t stretch) {
  DropInput();
  m_focus.Reset();
  m_tabOrder.Reset();
  m_dirty.InvalidateAll();
  m_form = std::move(form);
  m_lStretch = IsConcreteStretchMode(stretch) ? stretch : kStretchNone;
  m_bResized = false;
  m_baseFormSize = m_form ? CNSize{PropertyInt(*m_form, u"Width"), PropertyInt(*m_form, u"Height")} : CNSize{};
  m_scroll = {};
  Layout();
}

void CNPView::SetStretchInForce(int32_t mode) {
  m_lStretch = IsConcreteStretchMode(mode) ? mode : kStretchNone;
  Layout();
}

void CNPView::SetZoomFactor(double zoom) {
  m_dZoom = zoom;
  Layout();
}

void CNPView::Layout() {
  m_layout = ComputeStretchLayout(m_lStretch, m_baseFormSize, m_viewSize, m_dZoom, m_alignX, m_alignY);
  const bool resize = m_lStretch == kStretchResizeFull || m_lStretch == kStretchResizeKeepRate;
  if (m_form && (resize || m_bResized)) {
    // A form resized once goes back to its own size when the mode no longer resizes it.
    const CRPtr<CNPObject> form = m_form;  // "OnResize" handlers may close the view
    const CNSize before{PropertyInt(*form, u"Width"), PropertyInt(*form, u"Height")};
    const CNSize after = resize ? m_layout.formSize : m_baseFormSize;
    m_bResized = resize;
    if (before != after) {
      SetSize(*form, after);
      std::vector<CRPtr<CNPObject>> children;
      for (int32_t i = 0; i < form->GetChildCount(); ++i)
        if (auto* object = dynamic_cast<CNPObject*>(form->GetChild(i)))
          children.push_back(CRPtr<CNPObject>::Retain(object));
      for (const CRPtr<CNPObject>& child : children)
        child->AutoResize(before.width, before.height, after.width, after.height);
    }
  }
  SetScrollPos(m_scroll);
  m_dirty.InvalidateAll();
  if (m_pFrameWindow) m_pFrameWindow->ViewLayoutChanged(*this);
}

bool CNPView::TakePaintRequest() {
  m_dirty.Collect(m_form.Get(), GetTransform());
  return m_dirty.TakeNews();
}

bool CNPView::TakeDirtyArea(CRRectF& area) { return m_dirty.Take(m_form.Get(), GetTransform(), m_viewSize, area); }

// ---- focus and tab order

void CNPView::SetFocusObject(CNPObject* object) {
  if (object == m_focus.Get()) return;
  const std::shared_ptr<bool> alive = m_alive;
  const CRPtr<CNPObject> previous = std::exchange(m_focus, CRPtr<CNPObject>::Retain(object));
  RepaintObject(previous.Get());
  RepaintObject(object);
  if (previous) previous->FocusOut();
  if (*alive && object && m_focus.Get() == object) object->FocusIn();
}

bool CNPView::MoveTabStop(std::u16string_view how) {
  const CRPtr<CNPObject> form = m_form;
  CNPObject* target = form ? m_tabOrder.Move(*form, m_focus.Get(), how) : nullptr;
  if (!target) return false;
  SetFocusObject(target);
  return true;
}
