#include "values/sub_value.h"

#include <vector>

void CNSValue::Bind(CNValue* owner) { Bind(owner, nullptr, 0); }

void CNSValue::Bind(CNValue* owner, const CNValue* const* indexes, uint32_t indexCount) {
  Unbind();
  if (!owner) return;
  m_pOwner = CRPtr<CNValue>::Retain(owner);
  if (indexCount) {
    m_pIndexes = std::make_unique<CNValue[]>(indexCount);
    for (uint32_t i = 0; i < indexCount; ++i)
      if (indexes[i]) m_pIndexes[i].Assign(*indexes[i]);
    owner->GetSlice(*this, indexes, indexCount);
  } else {
    Assign(*owner);
  }
  m_ulIndexCount = indexCount;
}

void CNSValue::Unbind() {
  m_pOwner.Reset();
  m_pIndexes.reset();
  m_ulIndexCount = kNotBound;
}

void CNSValue::Commit() {
  if (!IsBound()) return;
  if (m_ulIndexCount == 0) {
    m_pOwner->Assign(*this);
    return;
  }
  std::vector<const CNValue*> indexes(m_ulIndexCount);
  for (uint32_t i = 0; i < m_ulIndexCount; ++i) indexes[i] = &m_pIndexes[i];
  m_pOwner->SetSlice(indexes.data(), m_ulIndexCount, *this);
}
