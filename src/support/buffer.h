#pragma once

#include <cstddef>
#include <cstdint>

#include "support/ref_cnt.h"

// Grow modes of CRBuffer.
inline constexpr uint32_t kBufferGrowExact = 0;   // allocates exactly what is asked
inline constexpr uint32_t kBufferGrowDouble = 1;  // twice the request below kBufferDoubleLimit,
                                                  // the request plus kBufferGrowSlack from there
inline constexpr uint32_t kBufferDoubleLimit = 4'194'303;
inline constexpr uint32_t kBufferGrowSlack = 100;

// A growable, shared byte buffer. The first allocation that fails marks the buffer failed: its
// memory is released, its capacity then reports the capacity that was asked for, and it
// refuses every later growth. Sizes are 32-bit.
class CRBuffer : public CRRefCnt {
 public:
  explicit CRBuffer(uint32_t growMode = kBufferGrowExact) : m_ulGrowMode(growMode) {}
  CRBuffer(const CRBuffer&) = delete;
  CRBuffer& operator=(const CRBuffer&) = delete;
  ~CRBuffer() override;

  uint32_t GetGrowMode() const { return m_ulGrowMode; }
  void SetGrowMode(uint32_t growMode) { m_ulGrowMode = growMode; }
  bool IsFailed() const { return m_ulFailed != 0; }
  uint32_t GetCapacity() const { return m_ulCapacity; }
  // Null until the first growth and after a failure.
  uint8_t* GetData() { return m_pData; }
  const uint8_t* GetData() const { return m_pData; }
  uint32_t GetSize() const { return m_ulSize; }

  // Makes room for at least capacity bytes. With keepContents the bytes in use survive;
  // without, they are dropped and the size becomes 0. False when the buffer is or becomes
  // failed.
  bool Grow(uint32_t capacity, bool keepContents = true);
  // Sets the bytes in use, growing (and keeping the contents) when size exceeds the capacity.
  bool SetSize(uint32_t size);

  // The capacity a request for capacity bytes allocates in the given grow mode.
  static uint32_t GrownCapacity(uint32_t growMode, uint32_t capacity);

 protected:
  // Returns a block of newSize bytes holding the first keepBytes bytes of block (which it
  // frees), or nullptr with block untouched. Tests override it to make allocation fail.
  virtual uint8_t* Reallocate(uint8_t* block, size_t keepBytes, size_t newSize);

 private:
  uint32_t m_ulGrowMode;
  uint32_t m_ulFailed = 0;
  uint32_t m_ulCapacity = 0;
  uint8_t* m_pData = nullptr;
  uint32_t m_ulSize = 0;
};
