#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/ref_cnt.h"
#include "values/tag_listener.h"
#include "values/value.h"

// Which server a tag belongs to.
enum TagKind : uint32_t { kTagMemory = 0, kTagLink = 1, kTagAlias = 2 };

// A named process value handed out by a tag server. Every GetTag adds one reference and one
// entry to the listener list (the same listener may appear several times); every ReleaseTag
// takes them back. The listener lists are used on the user-interface thread only.
class CNPTag : public CRRefCnt {
 public:
  using Listener = CNPTagServerConnectionPoint;

  explicit CNPTag(std::u16string name) : m_strName(std::move(name)) {}
  CNPTag(const CNPTag&) = delete;
  CNPTag& operator=(const CNPTag&) = delete;

  virtual TagKind GetKind() const = 0;
  virtual void MarkReleased() { m_bReleased = 1; }
  // May the server drop the tag from its map now.
  virtual bool IsRemovable() const { return m_bReleased != 0; }

  // The full name under which the server keys the tag.
  const std::u16string& GetName() const { return m_strName; }
  bool IsReleased() const { return m_bReleased != 0; }
  void ClearReleased() { m_bReleased = 0; }

  void AddListener(Listener* listener) { m_listeners.push_back(listener); }
  // Queues a listener for one first notification with the current value.
  void AddPendingListener(Listener* listener) { m_pending.push_back(listener); }
  bool HasPendingListeners() const { return !m_pending.empty(); }
  // True when listener is the one and only entry of the listener list.
  bool IsOnlyListener(const Listener* listener) const {
    return m_listeners.size() == 1 && m_listeners.front() == listener;
  }
  // Removes the first entry of listener from the listener list and every entry from the pending
  // list.
  void RemoveListener(const Listener* listener);
  size_t GetListenerCount() const { return m_listeners.size(); }
  // The names the listeners give of themselves (the objects bound to the tag), each once, joined
  // with ", "; empty when none gives one.
  std::u16string DescribeListeners() const;

  // Tells the listeners: with changed 1 every listener, with changed 0 only the pending ones.
  // The pending list is emptied; a receiver listed twice in a row is called once, and a receiver
  // that leaves the tag while others are being told is not called any more.
  void Notify(std::u16string_view name, const CNValue& value, uint32_t changed);

 protected:
  // The changed flag: set when the value changed since the last notification. Link tags guard
  // it with their own lock.
  uint32_t m_bChanged = 0;
  uint32_t m_bReleased = 0;

 private:
  std::vector<Listener*> m_listeners;
  std::vector<Listener*> m_pending;
  const std::u16string m_strName;
};
