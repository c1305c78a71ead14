#include "tags/tag_server_suite.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

namespace {

// The servers in the order lists are handed to them.
constexpr std::array<TagKind, 3> kServerOrder = {kTagMemory, kTagLink, kTagAlias};

// A tag's kind as a position in the per-kind lists; false for a tag that cannot be routed.
bool KindIndex(const CNPTag* tag, size_t& index) {
  if (!tag || tag->GetKind() > kTagAlias) return false;
  index = tag->GetKind();
  return true;
}

}  // namespace

CNPTagServerSuite::CNPTagServerSuite(Owner* owner) : m_pOwner(owner) {
  m_link.SetSuite(this);
  m_memory.SetSuite(this);
  m_alias.SetSuite(this);
}

CNPTagServerSuite::~CNPTagServerSuite() { Stop(); }

CNPTag* CNPTagServerSuite::GetTag(std::u16string_view name, uint32_t advise,
                                  ServerConnectionPoint* listener) {
  return GetServerFor(name).GetTag(name, advise, listener);
}

void CNPTagServerSuite::ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) {
  if (tag) GetServer(tag->GetKind()).ReleaseTag(tag, listener);
}

CRPtr<CNValue> CNPTagServerSuite::GetValue(CNPTag* tag, uint32_t readMode, bool* ok) {
  if (tag) return GetServer(tag->GetKind()).GetValue(tag, readMode, ok);
  if (ok) *ok = false;
  return CRPtr<CNValue>::Make();
}

bool CNPTagServerSuite::SetValue(CNPTag* tag, const CNValue& value) {
  return tag && GetServer(tag->GetKind()).SetValue(tag, value);
}

bool CNPTagServerSuite::Read(std::span<CNPTag* const> tags, uint32_t readMode) {
  std::array<std::vector<CNPTag*>, kServerOrder.size()> byKind;
  bool routed = true;
  for (CNPTag* tag : tags) {
    size_t kind = 0;
    if (KindIndex(tag, kind)) byKind[kind].push_back(tag);
    else routed = false;
  }
  for (const TagKind kind : kServerOrder) {
    if (!byKind[kind].empty() && !GetServer(kind).Read(byKind[kind], readMode)) return false;
  }
  return routed;
}

bool CNPTagServerSuite::Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) {
  struct Batch {
    std::vector<CNPTag*> tags;
    std::vector<CNValue> values;
  };
  std::array<Batch, kServerOrder.size()> byKind;
  const size_t pairs = std::min(tags.size(), values.size());
  bool routed = pairs == tags.size();
  for (size_t i = 0; i < pairs; ++i) {
    size_t kind = 0;
    if (!KindIndex(tags[i], kind)) {
      routed = false;
      continue;
    }
    byKind[kind].tags.push_back(tags[i]);
    byKind[kind].values.push_back(values[i]);
  }
  for (const TagKind kind : kServerOrder) {
    const Batch& batch = byKind[kind];
    if (!batch.tags.empty() && !GetServer(kind).Write(batch.tags, batch.values)) return false;
  }
  return routed;
}

bool CNPTagServerSuite::ReadAll(uint32_t readMode) { return m_link.ReadAll(readMode); }

void CNPTagServerSuite::Dispatch() {
  const std::lock_guard lock(*this);
  if (!m_bStarted) return;
  m_memory.Dispatch();
  m_link.Dispatch();
  m_alias.Dispatch();
}

void CNPTagServerSuite::SetTimeBase(FileTime startTime, uint32_t startTick) {
  m_memory.SetTimeBase(startTime, startTick);
  m_link.SetTimeBase(startTime, startTick);
  m_alias.SetTimeBase(startTime, startTick);
}

bool CNPTagServerSuite::Start(const CNTagServerStartInfo& info) {
  const std::lock_guard lock(*this);
  if (m_bStarted) return true;
  m_memory.StartLocal(info);
  const bool linkStarted = m_link.Start(info);
  m_alias.StartLocal(info);
  m_bStarted = true;
  return linkStarted;
}

void CNPTagServerSuite::Stop() {
  const std::lock_guard lock(*this);
  // Aliases first: they let go of their memory and link targets.
  m_alias.Stop();
  m_memory.Stop();
  m_link.Stop();
  m_bStarted = false;
}

bool CNPTagServerSuite::SetAliasTag(std::u16string_view alias, std::u16string_view target) {
  return m_alias.SetAliasTag(alias, target);
}

std::u16string CNPTagServerSuite::GetAliasTag(std::u16string_view alias) {
  return m_alias.GetAliasTag(alias);
}

std::u16string CNPTagServerSuite::GetErrorText() { return m_link.GetErrorText(); }

uint32_t CNPTagServerSuite::GetLoginConnectionState() const {
  return m_pOwner ? m_pOwner->GetLoginConnectionState() : 0;
}

CNPTagServerBase& CNPTagServerSuite::GetServer(TagKind kind) {
  switch (kind) {
    case kTagMemory: return m_memory;
    case kTagAlias: return m_alias;
    case kTagLink: break;
  }
  return m_link;
}

CNPTagServerBase& CNPTagServerSuite::GetServerFor(std::u16string_view name) {
  if (name.starts_with(u'$')) return m_memory;
  if (name.starts_with(u'@')) return m_alias;
  return m_link;
}
