#include "panel_server_sim/link_session.h"

namespace panel_sim {

uint64_t LinkSession::Link(uint32_t tagIndex, uint64_t clientHandle, uint32_t advise) {
  std::lock_guard<std::mutex> guard(m_lock);
  if (m_links.size() >= kMaxLinks) return 0;
  const uint64_t handle = m_ullNextHandle++;
  m_links[handle] = LinkEntry{tagIndex, clientHandle, advise, 0, CNValue()};
  return handle;
}

void LinkSession::Release(uint64_t serverHandle) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_links.erase(serverHandle);
}

void LinkSession::SetAdvise(uint64_t serverHandle, uint32_t advise) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_links.find(serverHandle);
  if (found != m_links.end()) found->second.advise = advise;
}

std::optional<uint32_t> LinkSession::FindTag(uint64_t serverHandle) const {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_links.find(serverHandle);
  if (found == m_links.end()) return std::nullopt;
  return found->second.tag;
}

std::vector<LinkSession::Change> LinkSession::CollectChanges(const TagTable& tags) {
  std::vector<Change> changes;
  std::lock_guard<std::mutex> guard(m_lock);
  for (auto& [handle, link] : m_links) {
    if (link.advise == 0 || tags.GetVersion(link.tag) == link.seenVersion) continue;
    CNValue current;
    const uint64_t version = tags.Read(link.tag, current);
    const bool first = link.seenVersion == 0;
    link.seenVersion = version;
    if (!first && current.IsEqual(kCompareContents | kCompareQuality, link.seen)) continue;
    const bool qualityOnly = !first && current.IsEqual(kCompareContents, link.seen);
    link.seen = current;
    changes.push_back({link.clientHandle, qualityOnly, std::move(current)});
  }
  return changes;
}

void LinkSession::MarkSeen(uint32_t tagIndex, const CNValue& value, uint64_t version) {
  std::lock_guard<std::mutex> guard(m_lock);
  for (auto& [handle, link] : m_links) {
    if (link.tag != tagIndex || link.advise == 0 || link.seenVersion >= version) continue;
    link.seenVersion = version;
    link.seen = value;
  }
}

}  // namespace panel_sim
