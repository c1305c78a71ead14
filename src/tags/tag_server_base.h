#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "tags/tag_server.h"

class CNPTagServerSuite;

// The map every server keeps: full name to tag, holding one reference per tag.
template <class Tag>
using CNTagMap = std::map<std::u16string, CRPtr<Tag>, std::less<>>;

// What the memory, alias and link servers share: the way back to their suite, releasing a
// listener, and collecting the tags nobody holds any more.
class CNPTagServerBase : public CNPTagServer {
 public:
  explicit CNPTagServerBase(CNPTagServerSuite* suite = nullptr) : m_pSuite(suite) {}

  void SetSuite(CNPTagServerSuite* suite) { m_pSuite = suite; }
  CNPTagServerSuite* GetSuite() const { return m_pSuite; }

  // Drops the removable tags when a release asked for it.
  virtual void CollectUnused() = 0;
  // Queues a listener of an existing tag for a first notification with the current value.
  virtual void AddPendingListener(CNPTag* tag, ServerConnectionPoint* listener) { tag->AddPendingListener(listener); }

 protected:
  // The part of ReleaseTag every server shares: when listener is the tag's only listener the
  // tag is marked released and the garbage flag set; then the listener and one reference go.
  // True when the tag was marked released.
  bool ReleaseListener(CNPTag* tag, ServerConnectionPoint* listener);

  // Removes and releases the removable tags of map, when the garbage flag is set, and clears
  // the flag.
  template <class Tag>
  void CollectFrom(CNTagMap<Tag>& map) {
    if (!m_bGarbage) return;
    std::erase_if(map, [](const auto& entry) { return entry.second->IsRemovable(); });
    m_bGarbage = 0;
  }

  bool IsGarbageFlagged() const { return m_bGarbage != 0; }

 private:
  CNPTagServerSuite* m_pSuite;
  uint32_t m_bGarbage = 0;
};
