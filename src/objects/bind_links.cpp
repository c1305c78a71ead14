#include "objects/bind_links.h"

#include <algorithm>
#include <utility>

void CNBindLinks::SetBinds(CRPtr<CNObjectBinds> binds) {
  // Disconnecting may run code that looks at the links: detach first.
  const CRPtr<CNObjectBinds> old = std::exchange(m_binds, std::move(binds));
  if (old) old->Disconnect();
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
