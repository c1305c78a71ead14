#include "tags/tag_server_alias.h"

#include <algorithm>

#include "support/utf16_text.h"
#include "tags/tag_server_suite.h"

namespace {

CNPAliasTag* AsAliasTag(CNPTag* tag) {
  return tag && tag->GetKind() == kTagAlias ? static_cast<CNPAliasTag*>(tag) : nullptr;
}

}  // namespace

CNPTag* CNPTagServerAlias::GetTag(std::u16string_view name, uint32_t advise,
                                  ServerConnectionPoint* listener) {
  auto found = m_tags.find(name);
  const bool existed = found != m_tags.end();
  if (existed) {
    if (advise) found->second->SetAdvise();
    found->second->ClearReleased();
  } else {
    auto fresh = CRPtr<CNPAliasTag>::Make(std::u16string(name), advise);
    found = m_tags.emplace(std::u16string(name), std::move(fresh)).first;
  }
  CNPAliasTag* tag = found->second.Get();
  if (const auto entry = m_table.find(name); entry != m_table.end()) Bind(*tag, entry->second);
  tag->AddListener(listener);
  tag->AddRef();
  if (existed) AddPendingListener(tag, listener);
  return tag;
}

void CNPTagServerAlias::ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) {
  if (tag) ReleaseListener(tag, listener);
}

CRPtr<CNValue> CNPTagServerAlias::GetValue(CNPTag* tag, uint32_t readMode, bool* ok) {
  const CNPAliasTag* alias = AsAliasTag(tag);
  if (alias && alias->GetTarget() && GetSuite()) {
    return GetSuite()->GetValue(alias->GetTarget(), readMode, ok);
  }
  if (ok) *ok = true;
  auto value = CRPtr<CNValue>::Make();
  value->SetString(u"");
  return value;
}

bool CNPTagServerAlias::SetValue(CNPTag* tag, const CNValue& value) {
  const CNPAliasTag* alias = AsAliasTag(tag);
  if (alias && alias->GetTarget() && GetSuite()) return GetSuite()->SetValue(alias->GetTarget(), value);
  return true;
}

bool CNPTagServerAlias::Read(std::span<CNPTag* const> tags, uint32_t readMode) {
  std::vector<CNPTag*> targets;
  for (CNPTag* tag : tags) {
    if (CNPTag* target = ForwardTarget(tag)) targets.push_back(target);
  }
  return targets.empty() || !GetSuite() || GetSuite()->Read(targets, readMode);
}

bool CNPTagServerAlias::Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) {
  const size_t pairs = std::min(tags.size(), values.size());
  std::vector<CNPTag*> targets;
  std::vector<CNValue> targetValues;
  for (size_t i = 0; i < pairs; ++i) {
    if (CNPTag* target = ForwardTarget(tags[i])) {
      targets.push_back(target);
      targetValues.push_back(values[i]);
    }
  }
  const bool written = targets.empty() || !GetSuite() || GetSuite()->Write(targets, targetValues);
  return written && pairs == tags.size();
}

bool CNPTagServerAlias::ReadAll(uint32_t) { return true; }

void CNPTagServerAlias::Dispatch() { CollectUnused(); }

void CNPTagServerAlias::Stop() {
  for (auto& [name, tag] : m_tags) Unbind(*tag);
  m_tags.clear();
}

bool CNPTagServerAlias::SetAliasTag(std::u16string_view alias, std::u16string_view target) {
  if (alias.empty()) return false;
  m_table.insert_or_assign(std::u16string(alias), std::u16string(target));
  if (const auto found = m_tags.find(alias); found != m_tags.end()) Bind(*found->second, target);
  return true;
}

std::u16string CNPTagServerAlias::GetAliasTag(std::u16string_view alias) {
  const auto entry = m_table.find(alias);
  return entry != m_table.end() ? entry->second : std::u16string();
}

void CNPTagServerAlias::CollectUnused() {
  if (!IsGarbageFlagged()) return;
  // Letting a target go may release the next alias of a chain, which must let go of its own
  // target before it is dropped.
  for (bool unbound = true; unbound;) {
    unbound = false;
    for (auto& [name, tag] : m_tags) {
      if (tag->IsRemovable() && tag->GetTarget()) {
        Unbind(*tag);
        unbound = true;
      }
    }
  }
  CollectFrom(m_tags);
}

void CNPTagServerAlias::AddPendingListener(CNPTag* tag, ServerConnectionPoint* listener) {
  CNPTagServerBase::AddPendingListener(tag, listener);
  if (CNPAliasTag* alias = AsAliasTag(tag)) QueueOnTarget(*alias);
}

void CNPTagServerAlias::Bind(CNPAliasTag& tag, std::u16string_view target) {
  if (!GetSuite() || EqualsIgnoreCaseAscii(tag.GetTargetName(), target)) return;
  Unbind(tag);
  if (!target.empty() && !LeadsBack(tag.GetName(), target)) {
    tag.SetTarget(CRPtr<CNPTag>::Adopt(GetSuite()->GetTag(target, tag.GetAdvise(), &tag)), target);
  }
  // Whoever watches the alias is to see the new target's value.
  if (tag.GetListenerCount() != 0) {
    tag.MarkChanged();
    QueueOnTarget(tag);
  }
}

void CNPTagServerAlias::Unbind(CNPAliasTag& tag) {
  if (CNPTag* target = tag.DetachTarget(); target && GetSuite()) GetSuite()->ReleaseTag(target, &tag);
}

bool CNPTagServerAlias::LeadsBack(std::u16string_view alias, std::u16string_view target) const {
  std::u16string_view next = target;
  for (size_t step = 0; step <= m_table.size(); ++step) {
    if (next == alias) return true;
    if (next.empty() || next[0] != u'@') return false;
    const auto entry = m_table.find(next);
    if (entry == m_table.end()) return false;
    next = entry->second;
  }
  return true;
}

void CNPTagServerAlias::QueueOnTarget(CNPAliasTag& tag) {
  CNPTag* target = ForwardTarget(&tag);
  if (target && GetSuite()) GetSuite()->GetServer(target->GetKind()).AddPendingListener(target, &tag);
}

CNPTag* CNPTagServerAlias::ForwardTarget(CNPTag* tag) {
  const CNPAliasTag* alias = AsAliasTag(tag);
  CNPTag* target = alias ? alias->GetTarget() : nullptr;
  return target && target->GetKind() != kTagAlias ? target : nullptr;
}
