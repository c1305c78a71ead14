#include "screen/pobject.h"

#include <array>

#include "objects/object_handles.h"
#include "objects/script_engine.h"
#include "support/millisecond_clock.h"

namespace {

// Table properties whose value the object computes rather than stores.
enum class Computed { State, CenterX, CenterY, MouseX, MouseY, Visible };

struct ComputedProperty {
  std::u16string_view name;
  Computed kind;
  int32_t bit;  // Computed::State: the state bit the property reads
};

constexpr std::array kComputed = {
    ComputedProperty{u"StFocusIn", Computed::State, kStateFocus},
    ComputedProperty{u"StMouseIn", Computed::State, kStateMouseIn},
    ComputedProperty{u"StMouseL", Computed::State, kStateLeftButton},
    ComputedProperty{u"StMouseM", Computed::State, kStateMiddleButton},
    ComputedProperty{u"StMouseR", Computed::State, kStateRightButton},
    ComputedProperty{u"CenterX", Computed::CenterX, 0},
    ComputedProperty{u"CenterY", Computed::CenterY, 0},
    ComputedProperty{u"MouseX", Computed::MouseX, 0},
    ComputedProperty{u"MouseY", Computed::MouseY, 0},
    ComputedProperty{u"Visible", Computed::Visible, 0},
};

const ComputedProperty* FindComputed(std::u16string_view name) {
  // Every computed name starts with one of these letters; most properties are passed at once.
  if (name.empty() || (name[0] != u'S' && name[0] != u'C' && name[0] != u'M' && name[0] != u'V')) return nullptr;
  for (const ComputedProperty& property : kComputed)
    if (property.name == name) return &property;
  return nullptr;
}

}  // namespace

CNPObject::~CNPObject() {
  m_bindLinks.DropBinds();
  if (m_bHasHandle) CNObjectHandles::Forget(this);
}

const CNClassProperties& CNPObject::GetClassProperties() const {
  static const CNClassProperties s_properties(kProperties, kEvents);
  return s_properties;
}

uint32_t CNPObject::GetHandle() const {
  m_bHasHandle = true;
  return CNObjectHandles::Acquire(const_cast<CNPObject*>(this));
}

// ---- events

bool CNPObject::HasEventHandler(std::u16string_view name) const {
  CNScript* script = GetOwner() ? GetOwner()->GetScript() : nullptr;
  return script && script->HasFunction(const_cast<CNPObject*>(this), name);
}

bool CNPObject::FireEvent(std::u16string_view name, CNValue* args, uint32_t count) {
  CNScript* script = GetOwner() ? GetOwner()->GetScript() : nullptr;
  if (!script || !script->HasFunction(this, name) || !ReadBool(u"EnabledEvent", true)) return false;
  return script->RunFunction(this, name, args, count, nullptr);
}

void CNPObject::ScriptTagServerConnectionPoint::TagChanged(CNPTag*, std::u16string_view name, const CNValue& value,
                                                           uint32_t) {
  CNValue args[2];
  args[0].SetString(name);
  args[1].Assign(value);
  m_object.FireEvent(u"OnTagValueChanged", args, 2);
}

// ---- properties

bool CNPObject::ReadBool(std::u16string_view property, bool absent) const {
  CNValue value;
  return GetProperty(property, value) ? value.GetBool(0) : absent;
}

void CNPObject::PropertyChanged(std::u16string_view name) {
  if (!m_bRunning) return;
  if (CNObjectBinds* binds = m_bindLinks.GetBinds())
    binds->PropertyChanged(name, !m_bindLinks.IsInputBinding() && ReadBool(u"EnabledBindOutput", true));
  m_bindLinks.NotifyListeners(*this, name);
}

void CNPObject::OnPropertySet(uint32_t index) {
  m_changed.Set(index);
  PropertyChanged(GetPropertyName(index));
  // A running object shows what it was given (a bind's value, a script's write).
  if (m_bRunning && RedrawsWhenSet(index)) RequestRedraw();
}

std::set<std::u16string_view> CNPObject::GetChangedProperties() const {
  std::set<std::u16string_view> names;
  for (uint32_t i = 0; i < m_changed.GetEnd(); ++i)
    if (m_changed.Test(i)) names.insert(GetPropertyName(i));
  return names;
}

bool CNPObject::IsPropertyChanged(std::u16string_view name) const {
  const int32_t i = FindPropertyIndex(name);
  return i >= 0 && m_changed.Test(static_cast<uint32_t>(i));
}

int CNPObject::SetPropertyAt(uint32_t i, const CNValue& value) {
  const ComputedProperty* computed = FindComputed(GetClassProperties().GetInfo(i).name);
  if (!computed) return CNObject::SetPropertyAt(i, value);
  switch (computed->kind) {
    case Computed::State:
      SetStateBits(computed->bit, value.GetBool(0));
      return 1;
    case Computed::CenterX:
      SetCenter(true, value.GetNumber(0));
      return 1;
    case Computed::CenterY:
      SetCenter(false, value.GetNumber(0));
      return 1;
    case Computed::MouseX:
    case Computed::MouseY:
      return 0;  // read-only
    case Computed::Visible:
      break;
  }
  return CNObject::SetPropertyAt(i, value);
}

bool CNPControl::StoresConverted(uint32_t i) const {
  return !FindComputed(GetClassProperties().GetInfo(i).name);
}

int CNPObject::GetPropertyAt(uint32_t i, CNValue& value) const {
  const ComputedProperty* computed = FindComputed(GetClassProperties().GetInfo(i).name);
  if (!computed) return CNObject::GetPropertyAt(i, value);
  CNPoint offset;
  switch (computed->kind) {
    case Computed::State:
      value.SetBool(HasState(computed->bit));
      break;
    case Computed::CenterX:
      value.SetNumber(GetCenter(true));
      break;
    case Computed::CenterY:
      value.SetNumber(GetCenter(false));
      break;
    case Computed::MouseX:
    case Computed::MouseY:
      if (!GetMouseOffset(offset)) {
        value.SetNA();  // not shown in a view
      } else {
        value.SetNumber(computed->kind == Computed::MouseX ? offset.x : offset.y);
      }
      break;
    case Computed::Visible:
      // Never set: the class's default, which is a virtual rather than a table entry.
      if (StoredProperty(i) != GetClassProperties().GetDefault(i)) return CNObject::GetPropertyAt(i, value);
      value.SetBool(GetVisibleDefault());
      break;
  }
  return 1;
}

int CNPObject::GetClassPropertyDefault(uint32_t i, CNValue& value) const {
  if (GetClassProperties().GetInfo(i).name == u"Visible") {
    value.SetBool(GetVisibleDefault());
    return 1;
  }
  return CNObject::GetClassPropertyDefault(i, value);
}

int CNPObject::GetExtraProperty(std::u16string_view name, CNValue& value) const {
  if (name == u"ChildObjCount") {
    value.SetNumber(GetChildCount());
  } else if (name == u"ClassId" || name == u"ClassId2") {
    value.SetString(GetClassId());
  } else if (name == u"IsInputBinding") {
    value.SetBool(m_bindLinks.IsInputBinding());
  } else if (name == u"StKeyCode") {
    value.SetNumber(m_ulKeyCode);
  } else {
    return CNObject::GetExtraProperty(name, value);
  }
  return 1;
}

int CNPObject::GetExtraPropertyDefault(std::u16string_view name, CNValue& value) const {
  if (name == u"StKeyCode") {
    value.SetNumber(0);
  } else if (name == u"CustomProp") {
    value.SetString(u"");
  } else if (name == u"EnabledBindOutput" || name == u"EnabledEvent") {
    value.SetBool(true);
  } else {
    return CNObject::GetExtraPropertyDefault(name, value);
  }
  return 1;
}

// ---- life cycle, heart beat, timers, animations

void CNPObject::Initialize() {
  m_bRunning = true;
  OnStartRunning();
  FireEvent(u"OnInitialize");
}

void CNPObject::Terminate() {
  const CRPtr<CNPObject> self = CRPtr<CNPObject>::Retain(this);
  FireEvent(u"OnTerminate");
  OnStopRunning();
  m_timers.KillAll();
  m_animations.Drop();
  StopDrag();
  m_bindLinks.DropBinds();
  m_bRunning = false;
}

uint32_t CNPObject::RefreshBinds(bool force) {
  CNObjectBinds* binds = m_bindLinks.GetBinds();
  if (!binds) return 0;
  // Storing a value may run handlers that drop the binds.
  const CRPtr<CNObjectBinds> keep = CRPtr<CNObjectBinds>::Retain(binds);
  return binds->RefreshInputs(force);
}

void CNPObject::HeartBeat() {
  // A handler may release the last other reference to the object.
  const CRPtr<CNPObject> self = CRPtr<CNPObject>::Retain(this);
  FireEvent(u"OnHeartBeat");
  const uint32_t now = CNMillisecondClock::GetCurrent().Now();
  m_timers.Run(now, [this](uint16_t id, uint32_t remaining) {
    CNValue args[2];
    args[0].SetNumber(id);
    args[1].SetNumber(static_cast<int32_t>(remaining));
    FireEvent(u"OnTimer", args, 2);
  });
  m_animations.Step(*this, now);
}

void CNPObject::Cycle() {
  if (!m_animations.IsRunning()) return;
  const CRPtr<CNPObject> self = CRPtr<CNPObject>::Retain(this);
  m_animations.Step(*this, CNMillisecondClock::GetCurrent().Now());
}

bool CNPObject::SetTimer(uint16_t id, uint32_t interval, uint32_t count, double catchUp,
                         uint32_t latenessCap) {
  return m_timers.Set(id, interval, count, catchUp, latenessCap, CNMillisecondClock::GetCurrent().Now());
}

bool CNPObject::PauseTimer(uint16_t id, bool paused) {
  return m_timers.Pause(id, paused, CNMillisecondClock::GetCurrent().Now());
}

bool CNPObject::Animate(std::span<const CNAnimationTarget> targets, uint32_t duration, int32_t easing,
                        std::u16string_view msg) {
  return m_animations.Start(*this, targets, duration, easing, msg, CNMillisecondClock::GetCurrent().Now());
}

void CNPObject::RequestRedraw() {
  m_bNeedsPaint = true;
  if (CNObjectOwner* owner = GetOwner()) owner->RequestRedraw(this);
}
