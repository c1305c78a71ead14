#include "tags/tag.h"

#include <algorithm>
#include <unordered_set>

namespace {

// A listener that got the tag several times hears a change once, where it first got it.
void DropRepeats(std::vector<CNPTag::Listener*>& receivers) {
  if (receivers.size() <= 16) {
    auto end = receivers.end();
    for (auto at = receivers.begin(); at != end; ++at) end = std::remove(at + 1, end, *at);
    receivers.erase(end, receivers.end());
    return;
  }
  std::unordered_set<CNPTag::Listener*> seen;
  std::erase_if(receivers, [&](CNPTag::Listener* receiver) { return !seen.insert(receiver).second; });
}

}  // namespace

void CNPTag::RemoveListener(const Listener* listener) {
  const auto first = std::find(m_listeners.begin(), m_listeners.end(), listener);
  if (first != m_listeners.end()) m_listeners.erase(first);
  std::erase(m_pending, listener);
}

void CNPTag::Notify(std::u16string_view name, const CNValue& value, uint32_t changed) {
  std::vector<Listener*> receivers = changed ? m_listeners : m_pending;
  m_pending.clear();
  DropRepeats(receivers);
  if (receivers.empty()) return;
  // A receiver may release this tag (or close the form that holds it) from its handler.
  const CRPtr<CNPTag> keep = CRPtr<CNPTag>::Retain(this);
  for (Listener* receiver : receivers) {
    if (std::find(m_listeners.begin(), m_listeners.end(), receiver) == m_listeners.end()) continue;
    // A tag got without a listener keeps a null entry, so that its release is counted too.
    if (receiver && receiver->IsListening()) receiver->TagChanged(this, name, value, changed);
  }
}

std::u16string CNPTag::DescribeListeners() const {
  std::vector<std::u16string> names;
  for (Listener* listener : m_listeners) {
    std::u16string name = listener->GetListenerName();
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
      names.push_back(std::move(name));
  }
  std::u16string text;
  for (const std::u16string& name : names) text += (text.empty() ? u"" : u", ") + name;
  return text;
}
