// Input handlers of screen objects: state word, state property changes, the owner's dispatcher
// and the object's own events.
#include <algorithm>
#include <array>

#include "screen/pobject.h"

namespace {

struct ButtonState {
  int32_t bit;
  std::u16string_view property;
};

// By button number - 1.
constexpr std::array<ButtonState, 3> kButtons = {{
    {kStateLeftButton, u"StMouseL"},
    {kStateMiddleButton, u"StMouseM"},
    {kStateRightButton, u"StMouseR"},
}};

const ButtonState* FindButton(CNMouseButton button) {
  return button >= MOUSE_LEFT && button <= MOUSE_RIGHT ? &kButtons[static_cast<size_t>(button - 1)] : nullptr;
}

constexpr uint32_t kMaxInputArgs = 2;

}  // namespace

void CNPObject::ChangeState(int32_t bits, bool on, std::u16string_view property) {
  SetStateBits(bits, on);
  PropertyChanged(property);
}

void CNPObject::RaiseInputEvent(std::u16string_view name, CNValue* args, uint32_t count) {
  // The dispatcher or the handler may release the last other reference to the object.
  const CRPtr<CNPObject> self = CRPtr<CNPObject>::Retain(this);
  count = std::min(count, kMaxInputArgs);
  CNObjectOwner* owner = GetOwner();
  if (m_bForwardEvents && owner) {
    CNValue forwarded[kMaxInputArgs + 1];
    for (uint32_t i = 0; i < count; ++i) forwarded[i].Assign(args[i]);
    forwarded[count].SetObject(GetHandle());
    owner->DispatchEvent(this, name, forwarded, count + 1);
  }
  FireEvent(name, args, count);
}

void CNPObject::FocusIn() {
  ChangeState(kStateFocus, true, u"StFocusIn");
  RaiseInputEvent(u"OnFocusIn");
}

void CNPObject::FocusOut() {
  ChangeState(kStateFocus, false, u"StFocusIn");
  RaiseInputEvent(u"OnFocusOut");
}

void CNPObject::RaiseKeyEvent(std::u16string_view name, uint32_t keyCode, uint32_t flags) {
  m_ulKeyCode = keyCode;
  PropertyChanged(u"StKeyCode");
  CNValue args[2];
  args[0].SetNumber(keyCode);
  args[1].SetNumber(flags);
  RaiseInputEvent(name, args, 2);
}

void CNPObject::KeyDown(uint32_t keyCode, uint32_t flags) {
  RaiseKeyEvent(u"OnKeyDown", keyCode, flags);
}

void CNPObject::KeyUp(uint32_t keyCode, uint32_t flags) {
  RaiseKeyEvent(u"OnKeyUp", keyCode, flags);
}

void CNPObject::MouseIn(const CNPoint&) {
  ChangeState(kStateMouseIn, true, u"StMouseIn");
  RaiseInputEvent(u"OnMouseIn");
}

void CNPObject::MouseMove(const CNPoint& at) {
  if (m_dragMode != DRAG_NONE) DragTo(at);
  RaiseInputEvent(u"OnMouseMove");
}

void CNPObject::MouseOut(const CNPoint&) {
  if (IsLeavingIgnored()) return;
  for (const ButtonState& button : kButtons)
    if (HasState(button.bit)) PropertyChanged(button.property);
  PropertyChanged(u"StMouseIn");
  SetStateBits(kStateMouseIn | kStateButtons, false);
  RaiseInputEvent(u"OnMouseOut");
}

void CNPObject::RaiseButtonEvent(std::u16string_view name, CNMouseButton button, bool down) {
  const ButtonState* state = FindButton(button);
  if (!state) return;
  ChangeState(state->bit, down, state->property);
  CNValue arg;
  arg.SetNumber(button);
  RaiseInputEvent(name, &arg, 1);
}

void CNPObject::ButtonDown(CNMouseButton button, const CNPoint&) {
  RaiseButtonEvent(u"OnMouseDown", button, true);
}

void CNPObject::ButtonUp(CNMouseButton button, const CNPoint&) {
  const ButtonState* state = FindButton(button);
  if (state && (HasState(state->bit) || ReadBool(u"AllowMouseUpWithoutDown", false)))
    RaiseButtonEvent(u"OnMouseUp", button, false);
}

void CNPObject::ButtonDblClick(CNMouseButton button, const CNPoint&) {
  RaiseButtonEvent(u"OnMouseDblClick", button, true);
}

void CNPControl::MouseWheel(int16_t delta, const CNPoint&) {
  CNValue arg;
  arg.SetNumber(delta);
  RaiseInputEvent(u"OnMouseWheel", &arg, 1);
}

// ---- dragging

void CNPObject::StartDrag(CNDragMode mode) {
  if (mode < DRAG_NONE || mode > DRAG_Y) return;
  m_dragMode = mode;
  m_dragStart = GetRect();
  // Anchored at the view's mouse position; without one, at the first move.
  CNObjectOwner* owner = GetOwner();
  m_bDragAnchored = owner && owner->GetMousePositionOf(*this, m_dragAnchor.x, m_dragAnchor.y);
}

void CNPObject::DragTo(const CNPoint& at) {
  if (!m_bDragAnchored) {
    m_dragAnchor = at;
    m_bDragAnchored = true;
  }
  CNRect rect = GetRect();
  if (m_dragMode != DRAG_Y) {
    rect.left = CNRect::Saturate(int64_t{m_dragStart.left} + at.x - m_dragAnchor.x);
    rect.right = CNRect::Saturate(int64_t{rect.left} + m_dragStart.Width());
  }
  if (m_dragMode != DRAG_X) {
    rect.top = CNRect::Saturate(int64_t{m_dragStart.top} + at.y - m_dragAnchor.y);
    rect.bottom = CNRect::Saturate(int64_t{rect.top} + m_dragStart.Height());
  }
  SetRect(rect);
}
