#include "tags/link_tag.h"

#include <mutex>

using TagGuard = std::lock_guard<const CRCriticalHandle>;

CNPLinkTag::CNPLinkTag(std::u16string fullName, std::u16string shortName, uint32_t advise,
                       uint64_t clientHandle)
    : CNPTag(std::move(fullName)),
      m_bAdviseRequested(advise),
      m_ullClientHandle(clientHandle),
      m_strShortName(std::move(shortName)),
      m_pValue(CRPtr<CNValue>::Make()) {}

void CNPLinkTag::MarkReleased() {
  TagGuard guard(*this);
  CNPTag::MarkReleased();
  m_bChanged = 0;
  m_bAdviseRequested = 0;
}

bool CNPLinkTag::IsRemovable() const {
  TagGuard guard(*this);
  return m_bReleased != 0 && m_bLinked == 0;
}

CRPtr<CNValue> CNPLinkTag::GetValue() const {
  TagGuard guard(*this);
  return m_pValue;
}

void CNPLinkTag::SetValue(CRPtr<CNValue> value) {
  TagGuard guard(*this);
  if (!value->IsEqual(kCompareContents | kCompareQuality, *m_pValue)) m_bChanged = 1;
  m_pValue = std::move(value);
}

void CNPLinkTag::SetQuality(uint8_t quality) {
  TagGuard guard(*this);
  if (m_pValue->GetQuality() == quality) return;
  auto copy = CRPtr<CNValue>::Make(*m_pValue);
  copy->SetQuality(quality);
  m_pValue = std::move(copy);
  m_bChanged = 1;
}

bool CNPLinkTag::Reacquire(uint32_t advise) {
  TagGuard guard(*this);
  bool changed = false;
  if (advise != 0 && m_bAdviseRequested == 0) {
    m_bAdviseRequested = advise;
    changed = true;
  }
  if (m_bReleased != 0) {
    ClearReleased();
    changed = true;
  }
  return changed;
}

CNPLinkTag::LinkState CNPLinkTag::GetLinkState() const {
  TagGuard guard(*this);
  return {m_bReleased != 0,   m_bLinkEnabled != 0, m_bLinked != 0,
          m_bAdviseRequested, m_bAdviseOnServer,   m_ullServerHandle};
}

void CNPLinkTag::SetLinked(uint64_t serverHandle, uint32_t advise) {
  TagGuard guard(*this);
  if (serverHandle == 0) {
    m_bLinkEnabled = 0;
    return;
  }
  m_ullServerHandle = serverHandle;
  m_bLinked = 1;
  m_bAdviseOnServer = advise;
}

void CNPLinkTag::SetAdvised(uint32_t advise) {
  TagGuard guard(*this);
  m_bAdviseOnServer = advise;
}

void CNPLinkTag::SetUnlinked() {
  TagGuard guard(*this);
  m_pValue = CRPtr<CNValue>::Make();
  m_ullServerHandle = 0;
  m_bLinked = 0;
}

void CNPLinkTag::ResetLink() {
  TagGuard guard(*this);
  m_ullServerHandle = 0;
  m_bLinked = 0;
  m_bAdviseOnServer = 0;
  m_bLinkEnabled = 1;
  if (m_pValue->GetQuality() != VQ_UNCERTAIN) SetQuality(VQ_BAD);
}

bool CNPLinkTag::TakeChange(CRPtr<CNValue>& value, uint32_t& changed) {
  TagGuard guard(*this);
  if ((m_bChanged == 0 && !HasPendingListeners()) || m_bReleased != 0 || m_bAdviseRequested == 0 ||
      m_bLinkEnabled == 0 || m_pValue->GetCount() == 0)
    return false;
  changed = m_bChanged;
  m_bChanged = 0;
  value = m_pValue;
  return true;
}
