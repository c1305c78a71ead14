// The operator's input to a view control. Every event first does what it does for any object
// (state, the owner's dispatcher, the object's own handler); then, with the left button:
//  - a press on the close or maximise button is remembered, and its release on the same button
//    fires "OnClickTitleBar" with "CLICK" and "CLOSE" (and the object hides itself), or "MAX"
//    (it fills the form it is on) or "NORMAL" while maximised (it returns to the rectangle it
//    had before);
//  - a press on the title bar with "AllowMove", while not maximised, starts the drag routine
//    ("DOWN", "MOVE"); its release stops it ("UP", "MOVE", then "CLICK", "BAR" when the mouse
//    is where it was pressed);
//  - a press on the resizing edge with "AllowResize" resizes the object by its right or bottom
//    edge or both ("DOWN", "RESIZE"; the release "UP", "RESIZE"), never below "MinWidth" and
//    "MinHeight";
//  - a double click on the title bar maximises or restores ("DBLCLICK" with "MAX" or "NORMAL")
//    when the maximise button is shown, else reports "DBLCLICK", "BAR".
// Everything else, and every press on the view, goes on to the inner view: a left press there
// fires "OnFormLButtonDown" first. Keys go on to the inner view, which hands them to its focus.
// With "AllowBringToFront" any press brings the object in front of its siblings, but behind
// those whose "BringToFrontLevel" is higher than its own.
#include <algorithm>

#include "controls/collection_base.h"
#include "objects/property_read.h"
#include "values/value.h"
#include "views/view_browser_control.h"
#include "views/view_control.h"

namespace {

uint32_t ButtonBit(CNMouseButton button) {
  return button >= MOUSE_LEFT && button <= MOUSE_RIGHT ? 1u << button : 0u;
}

// The form (or the outermost group) the object lies on.
const CNObject* HoldingForm(const CNObject& object) {
  const CNObject* form = nullptr;
  for (const CNObject* at = object.GetParent(); at; at = at->GetParent())
    if (dynamic_cast<const CNPCollectionBase*>(at)) form = at;
  return form;
}

}  // namespace

void CNPViewControl::FireClickTitleBar(std::u16string_view state, std::u16string_view msg) {
  CNValue args[2];
  args[0].SetString(state);
  args[1].SetString(msg);
  FireEvent(u"OnClickTitleBar", args, 2);
}

CNPoint CNPViewControl::ToInner(const CNPoint& at) const {
  const CNRect body = GetLayout().body;
  return {CNRect::Saturate(int64_t{at.x} - body.left), CNRect::Saturate(int64_t{at.y} - body.top)};
}

bool CNPViewControl::RoutesToView(CNMouseButton button, const CNPoint& at) const {
  if (!m_view) return false;
  if (button != MOUSE_LEFT) return RectContains(GetLayout().body, at);
  return HitViewControlPart(GetLayout(), at, PropertyBool(*this, u"AllowResize", false)) ==
         CNViewControlPart::kBody;
}

std::u16string_view CNPViewControl::ToggleMaximized() {
  if (m_bMaximized) {
    m_bMaximized = false;
    SetRect(m_restoreRect);
    return u"NORMAL";
  }
  m_restoreRect = GetRect();
  m_bMaximized = true;
  if (const CNObject* form = HoldingForm(*this))
    SetRect({0, 0, std::max(PropertyInt(*form, u"Width"), 1), std::max(PropertyInt(*form, u"Height"), 1)});
  return u"MAX";
}

void CNPViewControl::ResizeTo(const CNPoint& at) {
  CNRect rect = GetRect();
  if (m_resizePart != CNViewControlPart::kResizeBottom) {
    const int64_t width = int64_t{m_pressRect.Width()} + at.x - m_pressAt.x;
    rect.right =
        CNRect::Saturate(rect.left + std::max<int64_t>(width, std::max(PropertyInt(*this, u"MinWidth"), 1)));
  }
  if (m_resizePart != CNViewControlPart::kResizeRight) {
    const int64_t height = int64_t{m_pressRect.Height()} + at.y - m_pressAt.y;
    rect.bottom =
        CNRect::Saturate(rect.top + std::max<int64_t>(height, std::max(PropertyInt(*this, u"MinHeight"), 1)));
  }
  if (rect != GetRect()) SetRect(rect);
}

void CNPViewControl::BringToFrontAmongSiblings() {
  CNObject* parent = GetParent();
  if (!parent) return;
  int32_t from = -1;
  for (int32_t i = 0; i < parent->GetChildCount() && from < 0; ++i)
    if (parent->GetChild(i) == this) from = i;
  if (from < 0) return;
  const int32_t level = PropertyInt(*this, u"BringToFrontLevel");
  int32_t to = parent->GetChildCount();
  while (to - 1 > from && PropertyInt(*parent->GetChild(to - 1), u"BringToFrontLevel") > level) --to;
  if (to - 1 == from) return;
  parent->MoveChild(from, to);
  RequestRedraw();
}

// ---- mouse

void CNPViewControl::ButtonDown(CNMouseButton button, const CNPoint& at) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  if (PropertyBool(*this, u"AllowBringToFront", false)) BringToFrontAmongSiblings();
  CNPScrollableObject::ButtonDown(button, at);
  if (!IsRunning()) return;
  if (RoutesToView(button, at)) {
    if (button == MOUSE_LEFT) FireEvent(u"OnFormLButtonDown");
    if (const std::shared_ptr<CNPViewBrowserControl> view = m_view) {
      m_ulViewButtons |= ButtonBit(button);
      view->MouseButton(button, true, ToInner(at));
    }
    return;
  }
  if (button != MOUSE_LEFT) return;
  const CNViewControlPart part =
      HitViewControlPart(GetLayout(), at, PropertyBool(*this, u"AllowResize", false));
  if (part == CNViewControlPart::kCloseButton || part == CNViewControlPart::kMaxButton) {
    m_pressedButton = part;
    RequestRedraw();
  } else if (part == CNViewControlPart::kTitleBar) {
    if (!PropertyBool(*this, u"AllowMove", false) || m_bMaximized) return;
    StartDrag(DRAG_XY);
    m_pressAt = at;
    m_drag = Drag::kMove;
    FireClickTitleBar(u"DOWN", u"MOVE");
  } else if (IsResizePart(part)) {
    m_resizePart = part;
    m_pressAt = at;
    m_pressRect = GetRect();
    m_drag = Drag::kResize;
    FireClickTitleBar(u"DOWN", u"RESIZE");
  }
}

void CNPViewControl::ButtonUp(CNMouseButton button, const CNPoint& at) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  CNPScrollableObject::ButtonUp(button, at);
  if (!IsRunning()) return;
  if ((m_ulViewButtons & ButtonBit(button)) != 0) {
    m_ulViewButtons &= ~ButtonBit(button);
    if (const std::shared_ptr<CNPViewBrowserControl> view = m_view)
      view->MouseButton(button, false, ToInner(at));
    return;
  }
  if (button != MOUSE_LEFT) return;
  if (m_drag == Drag::kMove) {
    m_drag = Drag::kNone;
    StopDrag();
    FireClickTitleBar(u"UP", u"MOVE");
    if (at == m_pressAt) FireClickTitleBar(u"CLICK", u"BAR");
  } else if (m_drag == Drag::kResize) {
    m_drag = Drag::kNone;
    FireClickTitleBar(u"UP", u"RESIZE");
  } else if (m_pressedButton != CNViewControlPart::kNone) {
    const CNViewControlPart pressed = std::exchange(m_pressedButton, CNViewControlPart::kNone);
    RequestRedraw();
    if (HitViewControlPart(GetLayout(), at, false) != pressed) return;
    if (pressed == CNViewControlPart::kMaxButton) {
      FireClickTitleBar(u"CLICK", ToggleMaximized());
      return;
    }
    // Hidden first: the handler may show the object again to keep it open.
    CNValue hidden;
    hidden.SetBool(false);
    SetProperty(u"Visible", hidden);
    FireClickTitleBar(u"CLICK", u"CLOSE");
  }
}

void CNPViewControl::ButtonDblClick(CNMouseButton button, const CNPoint& at) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  CNPScrollableObject::ButtonDblClick(button, at);
  if (!IsRunning()) return;
  if (RoutesToView(button, at)) {
    if (button == MOUSE_LEFT) FireEvent(u"OnFormLButtonDown");
    if (const std::shared_ptr<CNPViewBrowserControl> view = m_view) {
      m_ulViewButtons |= ButtonBit(button);
      view->MouseDoubleClick(button, ToInner(at));
    }
    return;
  }
  if (button != MOUSE_LEFT) return;
  const CNViewControlPart part =
      HitViewControlPart(GetLayout(), at, PropertyBool(*this, u"AllowResize", false));
  if (part == CNViewControlPart::kCloseButton || part == CNViewControlPart::kMaxButton) {
    m_pressedButton = part;  // the second click of a quick pair counts as a click too
  } else if (part == CNViewControlPart::kTitleBar) {
    if (PropertyBool(*this, u"ShowMaxButton", false))
      FireClickTitleBar(u"DBLCLICK", ToggleMaximized());
    else
      FireClickTitleBar(u"DBLCLICK", u"BAR");
  }
}

void CNPViewControl::MouseMove(const CNPoint& at) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  CNPScrollableObject::MouseMove(at);  // a move drags the object
  if (!IsRunning()) return;
  if (m_drag == Drag::kResize) {
    ResizeTo(at);
    return;
  }
  const std::shared_ptr<CNPViewBrowserControl> view = m_view;
  if (!view || m_drag != Drag::kNone) return;
  if (m_ulViewButtons != 0 || RoutesToView(MOUSE_LEFT, at))
    view->MouseMove(ToInner(at));
  else
    view->MouseLeave();
}

void CNPViewControl::MouseOut(const CNPoint& at) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  CNPScrollableObject::MouseOut(at);
  if (const std::shared_ptr<CNPViewBrowserControl> view = m_view) view->MouseLeave();
}

void CNPViewControl::MouseWheel(int16_t delta, const CNPoint& at) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  CNPScrollableObject::MouseWheel(delta, at);
  if (!IsRunning()) return;
  if (const std::shared_ptr<CNPViewBrowserControl> view = m_view; view && RectContains(GetLayout().body, at))
    view->MouseWheel(delta, ToInner(at));
}

// ---- keys

void CNPViewControl::KeyDown(uint32_t keyCode, uint32_t flags) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  CNPScrollableObject::KeyDown(keyCode, flags);
  if (const std::shared_ptr<CNPViewBrowserControl> view = m_view; view && IsRunning())
    view->Key(keyCode, true, flags);
}

void CNPViewControl::KeyUp(uint32_t keyCode, uint32_t flags) {
  const CRPtr<CNPViewControl> self = CRPtr<CNPViewControl>::Retain(this);
  CNPScrollableObject::KeyUp(keyCode, flags);
  if (const std::shared_ptr<CNPViewBrowserControl> view = m_view; view && IsRunning())
    view->Key(keyCode, false, flags);
}
