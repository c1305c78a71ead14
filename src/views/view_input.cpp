// The operator's input to a view: from view pixels to the objects of the form on show.
//
// Handlers run while the input is delivered and may change anything: open another form into
// the view (the objects of the old one get nothing more), close the dialog the view belongs to
// (the view is destroyed: m_alive turns false), disable the object. Every delivery holds the
// objects it talks to and checks what is left afterwards.
#include <algorithm>
#include <utility>

#include "editing/edit_box.h"
#include "editing/in_place_edit_keys.h"
#include "objects/property_read.h"
#include "views/view.h"
#include "views/view_browser_control.h"
#include "views/view_control.h"
#include "views/view_hit_test.h"

namespace {

uint32_t ButtonBit(CNMouseButton button) {
  return button >= MOUSE_LEFT && button <= MOUSE_RIGHT ? 1u << button : 0u;
}

// Whether the object answers Tab itself: an edit box with its editor open commits and moves on.
bool TakesTab(const CNPObject* object) {
  const auto* box = dynamic_cast<const CNPEditBox*>(object);
  return box && box->GetEditor();
}

}  // namespace

bool CNPView::GetMousePosition(CNPoint& at) const {
  if (!m_bHasMouse) return false;
  at = GetTransform().ToForm(m_mouse);
  return true;
}

CNPObject* CNPView::GetMouseHolder() const {
  if (m_pressed && m_ulButtons != 0) return m_pressed.Get();
  if (m_hover && m_hover->IsLeavingIgnored()) return m_hover.Get();
  return nullptr;
}

bool CNPView::CanDeliver(const CNPObject& object) const { return m_form && TakesInputWithin(object, *m_form); }

void CNPView::RepaintObject(CNPObject* object) {
  if (object && object != m_form.Get()) m_dirty.Request(*object);
}

void CNPView::DropInput() {
  m_hover.Reset();
  m_pressed.Reset();
  m_ulButtons = 0;
  m_bTabTaken = false;
  if (auto* box = dynamic_cast<CNPEditBox*>(m_focus.Get())) box->SetComposition({}, 0);
}

bool CNPView::TrackMouse(CNPoint at, bool move) {
  const std::shared_ptr<bool> alive = m_alive;
  m_mouse = at;
  m_bHasMouse = true;
  const CRPtr<CNPObject> form = m_form;
  if (!form) return true;
  const CNPoint point = GetTransform().ToForm(at);
  const CRPtr<CNPObject> target = CRPtr<CNPObject>::Retain(FindInputTarget(*form, point));

  if (const CRPtr<CNPObject> holder = CRPtr<CNPObject>::Retain(GetMouseHolder())) {
    // The holder keeps the mouse; it hears the mouse leave it and come back.
    const bool inside = target == holder;
    if (!inside && holder->HasState(kStateMouseIn)) {
      RepaintObject(holder.Get());
      holder->MouseOut(point);
    } else if (inside && !holder->HasState(kStateMouseIn)) {
      RepaintObject(holder.Get());
      holder->MouseIn(point);
    }
    if (!*alive) return false;
    if (move && CanDeliver(*holder)) holder->MouseMove(point);
    return *alive;
  }

  if (target != m_hover) {
    const CRPtr<CNPObject> previous = std::exchange(m_hover, target);
    RepaintObject(previous.Get());
    RepaintObject(target.Get());
    if (previous && previous->HasState(kStateMouseIn)) previous->MouseOut(point);
    if (!*alive) return false;
    if (target && m_hover == target) target->MouseIn(point);
    if (!*alive) return false;
  }
  const CRPtr<CNPObject> hover = m_hover;
  if (move && hover && CanDeliver(*hover)) hover->MouseMove(point);
  return *alive;
}

void CNPView::MouseMove(CNPoint at) {
  if (AcceptsInput()) TrackMouse(at, true);
}

void CNPView::MouseLeave() {
  const CNPoint point = GetTransform().ToForm(m_mouse);
  if (const CRPtr<CNPObject> holder = CRPtr<CNPObject>::Retain(GetMouseHolder())) {
    // The press goes on: the release still reaches the holder.
    if (holder->HasState(kStateMouseIn)) {
      RepaintObject(holder.Get());
      holder->MouseOut(point);
    }
    return;
  }
  const CRPtr<CNPObject> hover = std::move(m_hover);
  m_hover.Reset();
  RepaintObject(hover.Get());
  if (hover && hover->HasState(kStateMouseIn)) hover->MouseOut(point);
}

void CNPView::MouseButton(CNMouseButton button, bool down, CNPoint at) {
  if (!AcceptsInput() || !ButtonBit(button)) return;
  if (down)
    Press(button, at, false);
  else
    Release(button, at);
}

void CNPView::MouseDoubleClick(CNMouseButton button, CNPoint at) {
  if (AcceptsInput() && ButtonBit(button)) Press(button, at, true);
}

void CNPView::Press(CNMouseButton button, CNPoint at, bool doubleClick) {
  const std::shared_ptr<bool> alive = m_alive;
  if (!TrackMouse(at, false)) return;
  // A further button goes to the object already pressed.
  const CRPtr<CNPObject> target = m_ulButtons != 0 ? m_pressed : m_hover;
  if (!target || !CanDeliver(*target)) return;
  if (m_ulButtons == 0 && target != m_focus && PropertyBool(*target, u"Focusable", true)) {
    SetFocusObject(target.Get());
    if (!*alive || !CanDeliver(*target)) return;  // a handler opened another form
  }
  m_pressed = target;
  m_ulButtons |= ButtonBit(button);
  RepaintObject(target.Get());
  const CNPoint point = GetTransform().ToForm(at);
  if (doubleClick)
    target->ButtonDblClick(button, point);
  else
    target->ButtonDown(button, point);
}

void CNPView::Release(CNMouseButton button, CNPoint at) {
  const std::shared_ptr<bool> alive = m_alive;
  const uint32_t bit = ButtonBit(button);
  CRPtr<CNPObject> receiver;
  if ((m_ulButtons & bit) != 0) {
    receiver = m_pressed;
    m_ulButtons &= ~bit;
    if (m_ulButtons == 0) m_pressed.Reset();
    m_mouse = at;
  } else {
    // Not pressed in this form: the object under the mouse decides ("AllowMouseUpWithoutDown").
    if (!TrackMouse(at, false)) return;
    receiver = m_hover;
  }
  if (receiver && CanDeliver(*receiver)) {
    RepaintObject(receiver.Get());
    receiver->ButtonUp(button, GetTransform().ToForm(at));
    if (!*alive) return;
  }
  TrackMouse(at, false);  // the mouse may be over another object now
}

void CNPView::MouseWheel(int16_t delta, CNPoint at) {
  if (!AcceptsInput() || !TrackMouse(at, false)) return;
  const CRPtr<CNPObject> target = CRPtr<CNPObject>::Retain(GetMouseHolder() ? GetMouseHolder() : m_hover.Get());
  if (target && CanDeliver(*target)) target->MouseWheel(delta, GetTransform().ToForm(at));
}

void CNPView::Key(uint32_t keyCode, bool down, uint32_t flags) {
  if (!AcceptsInput() || !m_form) return;
  const CRPtr<CNPObject> target = m_focus ? m_focus : m_form;
  if (keyCode == kKeyTab) {
    if (down) {
      const bool back = (flags & kKeyFlagShift) != 0;
      m_bTabTaken = !TakesTab(target.Get()) && MoveTabStop(back ? u"previous" : u"next");
      if (m_bTabTaken) return;
    } else if (std::exchange(m_bTabTaken, false)) {
      return;  // the press moved the focus; its release belongs to nobody
    }
  }
  if (!CanDeliver(*target)) return;
  if (down)
    target->KeyDown(keyCode, flags);
  else
    target->KeyUp(keyCode, flags);
}

// Typed text follows the focus into view controls: with a view control focused, the view inside
// it decides (and the view inside that, and so on).
CNPView* CNPView::GetFocusedInnerView() const {
  auto* control = dynamic_cast<CNPViewControl*>(m_focus.Get());
  return control && control->GetView() && CanDeliver(*control) ? control->GetView() : nullptr;
}

void CNPView::TextInput(std::u16string_view text) {
  if (!AcceptsInput()) return;
  if (CNPView* inner = GetFocusedInnerView()) {
    inner->TextInput(text);
    return;
  }
  const CRPtr<CNPEditBox> box = CRPtr<CNPEditBox>::Retain(dynamic_cast<CNPEditBox*>(m_focus.Get()));
  if (box && CanDeliver(*box)) box->TextInput(text);
}

bool CNPView::GetTextInputArea(CRRectF& area) const {
  if (const CNPView* inner = GetFocusedInnerView()) {
    // The inner view's pixels are form units of this view's form, counted from the body.
    if (!inner->GetTextInputArea(area)) return false;
    const CNRect body = static_cast<const CNPViewControl*>(m_focus.Get())->GetLayout().body;
    const CNViewTransform transform = GetTransform();
    const double scaleX = CNViewTransform::UsableScale(transform.scaleX);
    const double scaleY = CNViewTransform::UsableScale(transform.scaleY);
    area = {transform.originX + scaleX * (body.left + area.x), transform.originY + scaleY * (body.top + area.y),
            area.width * scaleX, area.height * scaleY};
    return true;
  }
  const auto* box = dynamic_cast<const CNPEditBox*>(m_focus.Get());
  if (!box || !CanDeliver(*box)) return false;
  area = GetTransform().Cover(box->GetRect());
  return true;
}

void CNPView::TextEditing(std::u16string_view composition, int32_t cursor) {
  if (!AcceptsInput()) return;
  if (CNPView* inner = GetFocusedInnerView()) {
    inner->TextEditing(composition, cursor);
    return;
  }
  const CRPtr<CNPEditBox> box = CRPtr<CNPEditBox>::Retain(dynamic_cast<CNPEditBox*>(m_focus.Get()));
  if (box && CanDeliver(*box)) box->SetComposition(composition, cursor);
}
