#include "objects/bind_links.h"

#include <algorithm>

const CNBindLinks::OutputSlot* CNBindLinks::FindSlot(std::u16string_view property) const {
  const auto it = std::find_if(m_outputs.begin(), m_outputs.end(),
                               [&](const OutputSlot& slot) { return slot.property == property; });
  return it == m_outputs.end() ? nullptr : &*it;
}

void CNBindLinks::SetOutputBind(std::u16string_view property, CRPtr<CNOutputBind> bind) {
  if (OutputSlot* slot = FindSlot(property)) {
    slot->bind = std::move(bind);
    slot->dirty = false;
  } else {
    m_outputs.push_back(OutputSlot{std::u16string(property), std::move(bind), false});
  }
}

bool CNBindLinks::MarkDirty(std::u16string_view property) {
  OutputSlot* slot = FindSlot(property);
  if (!slot) return false;
  slot->dirty = true;
  return true;
}

bool CNBindLinks::IsDirty(std::u16string_view property) const {
  const OutputSlot* slot = FindSlot(property);
  return slot && slot->dirty;
}

uint32_t CNBindLinks::EvaluateDirty() {
  // A bind writes tags, which may run scripts that rebind: walk references, not the slots.
  std::vector<CRPtr<CNOutputBind>> due;
  for (OutputSlot& slot : m_outputs) {
    if (!slot.dirty || !slot.bind) continue;
    slot.dirty = false;
    due.push_back(slot.bind);
  }
  for (const CRPtr<CNOutputBind>& bind : due) bind->Evaluate();
  return static_cast<uint32_t>(due.size());
}

void CNBindLinks::AddListener(CNPropertyListener* listener) {
  if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
    m_listeners.push_back(listener);
}

void CNBindLinks::RemoveListener(CNPropertyListener* listener) {
  std::erase(m_listeners, listener);
}

void CNBindLinks::NotifyListeners(CNObject& object, std::u16string_view name) {
  if (m_listeners.empty()) return;
  const std::vector<CNPropertyListener*> listeners = m_listeners;
  for (CNPropertyListener* listener : listeners)
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
      listener->PropertyChanged(object, name);
}
