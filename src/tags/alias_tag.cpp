#include "tags/alias_tag.h"

void CNPAliasTag::SetTarget(CRPtr<CNPTag> target, std::u16string_view name) {
  m_target = std::move(target);
  m_strTargetName = name;
}

CNPTag* CNPAliasTag::DetachTarget() {
  m_strTargetName.clear();
  return m_target.Detach();
}

void CNPAliasTag::TagChanged(CNPTag* tag, std::u16string_view, const CNValue& value, uint32_t changed) {
  // A tag this alias has let go of has nothing more to say here.
  if (tag != m_target.Get()) return;
  const uint32_t forward = changed || m_bChanged || HasPendingListeners() ? 1 : 0;
  m_bChanged = 0;
  Notify(GetName(), value, forward);
}
