#include "objects/stored_values.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

namespace {

// An object read from a file sets a handful of properties: room for them at once rather than
// a copy at every doubling.
constexpr uint32_t kFirstCapacity = 8;

}  // namespace

CNStoredValues::~CNStoredValues() { Free(m_pBlock); }

CNStoredValues::Entry* CNStoredValues::LowerBound(uint32_t i) const {
  Entry* entries = m_pBlock->Entries();
  return std::lower_bound(entries, entries + m_pBlock->count, i,
                          [](const Entry& entry, uint32_t property) { return entry.property < property; });
}

const CNValue* CNStoredValues::Find(uint32_t i) const {
  if (!m_pBlock) return nullptr;
  const Entry* entry = LowerBound(i);
  if (entry == m_pBlock->Entries() + m_pBlock->count || entry->property != i) return nullptr;
  return m_pBlock->Values() + entry->position;
}

CNValue& CNStoredValues::Obtain(uint32_t i, bool& added) {
  if (!m_pBlock) m_pBlock = Allocate(kFirstCapacity);
  Entry* at = LowerBound(i);
  added = at == m_pBlock->Entries() + m_pBlock->count || at->property != i;
  if (!added) return m_pBlock->Values()[at->position];
  if (m_pBlock->count == m_pBlock->capacity) {
    const ptrdiff_t offset = at - m_pBlock->Entries();
    Grow(m_pBlock->capacity * 2);
    at = m_pBlock->Entries() + offset;
  }
  std::memmove(at + 1, at, static_cast<size_t>(m_pBlock->Entries() + m_pBlock->count - at) * sizeof(Entry));
  const uint32_t position = m_pBlock->count++;
  *at = {i, position};
  return *new (m_pBlock->Values() + position) CNValue;
}

void CNStoredValues::DropAdded(uint32_t i) {
  Entry* at = LowerBound(i);
  Entry* end = m_pBlock->Entries() + m_pBlock->count;
  std::memmove(at, at + 1, static_cast<size_t>(end - at - 1) * sizeof(Entry));
  m_pBlock->Values()[--m_pBlock->count].~CNValue();
}

CNStoredValues::Block* CNStoredValues::Allocate(uint32_t capacity) {
  void* memory = ::operator new(sizeof(Block) + capacity * (sizeof(Entry) + sizeof(CNValue)));
  return new (memory) Block{0, capacity};
}

void CNStoredValues::Grow(uint32_t capacity) {
  Block* grown = Allocate(capacity);
  grown->count = m_pBlock->count;
  std::memcpy(grown->Entries(), m_pBlock->Entries(), m_pBlock->count * sizeof(Entry));
  CNValue* from = m_pBlock->Values();
  CNValue* to = grown->Values();
  for (uint32_t k = 0; k < m_pBlock->count; ++k) new (to + k) CNValue(std::move(from[k]));
  Free(std::exchange(m_pBlock, grown));
}

void CNStoredValues::Free(Block* block) {
  if (!block) return;
  CNValue* values = block->Values();
  for (uint32_t k = 0; k < block->count; ++k) values[k].~CNValue();
  ::operator delete(block);
}
