#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "panel_server_sim/tag_table.h"
#include "values/value.h"

namespace panel_sim {

// The tags one link client has linked: the client's command connection links and releases
// them, its update connection collects their changes. Links are named by server handles that
// this session hands out. Safe to use from any thread.
class LinkSession {
 public:
  // Further links of a full session are answered as unknown tags.
  static constexpr size_t kMaxLinks = 100000;

  struct Change {
    uint64_t clientHandle = 0;
    bool qualityOnly = false;  // the contents are those last reported; value carries the quality
    CNValue value;
  };

  // A new server handle for the tag, or 0 when the session is full.
  uint64_t Link(uint32_t tagIndex, uint64_t clientHandle, uint32_t advise);
  void Release(uint64_t serverHandle);
  void SetAdvise(uint64_t serverHandle, uint32_t advise);
  std::optional<uint32_t> FindTag(uint64_t serverHandle) const;

  // The advised links whose tags changed since they were last reported, in server handle
  // order; each becomes reported. A link is reported in full the first time.
  std::vector<Change> CollectChanges(const TagTable& tags);
  // The links to the tag have seen the tag's value of that version (a write echoed to the
  // writer), unless they have seen a later one.
  void MarkSeen(uint32_t tagIndex, const CNValue& value, uint64_t version);

 private:
  struct LinkEntry {
    uint32_t tag = 0;
    uint64_t clientHandle = 0;
    uint32_t advise = 0;
    uint64_t seenVersion = 0;  // 0: nothing reported yet
    CNValue seen;
  };

  mutable std::mutex m_lock;
  std::map<uint64_t, LinkEntry> m_links;
  uint64_t m_ullNextHandle = 1;
};

}  // namespace panel_sim
