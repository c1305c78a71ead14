#include "support/buffer.h"

#include <cstdlib>
#include <cstring>

CRBuffer::~CRBuffer() {
  std::free(m_pData);
}

uint32_t CRBuffer::GrownCapacity(uint32_t growMode, uint32_t capacity) {
  if (growMode != kBufferGrowDouble) return capacity;
  if (capacity < kBufferDoubleLimit) return capacity * 2;
  return capacity > UINT32_MAX - kBufferGrowSlack ? UINT32_MAX : capacity + kBufferGrowSlack;
}

bool CRBuffer::Grow(uint32_t capacity, bool keepContents) {
  if (IsFailed()) return false;
  if (!keepContents) m_ulSize = 0;
  if (capacity <= m_ulCapacity) return true;
  const uint32_t allocation = GrownCapacity(m_ulGrowMode, capacity);
  uint8_t* block = Reallocate(m_pData, m_ulSize, allocation);
  if (block == nullptr) {
    std::free(m_pData);
    m_pData = nullptr;
    m_ulSize = 0;
    m_ulFailed = 1;
    m_ulCapacity = capacity;
    return false;
  }
  m_pData = block;
  m_ulCapacity = allocation;
  return true;
}

bool CRBuffer::SetSize(uint32_t size) {
  if (!Grow(size)) return false;
  m_ulSize = size;
  return true;
}

uint8_t* CRBuffer::Reallocate(uint8_t* block, size_t keepBytes, size_t newSize) {
  if (keepBytes == 0) {
    // Nothing to keep: a fresh block spares realloc the copy.
    auto* fresh = static_cast<uint8_t*>(std::malloc(newSize));
    if (fresh != nullptr) std::free(block);
    return fresh;
  }
  return static_cast<uint8_t*>(std::realloc(block, newSize));
}
