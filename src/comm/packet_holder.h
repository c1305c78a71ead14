#pragma once

#include <cstdint>
#include <string>

#include "support/buffer.h"
#include "support/ref_cnt.h"

// A packet under construction or being read: a shared CRBuffer plus a position and a size.
// Writes grow the buffer (doubling); reads never pass the size. Failures trace with the texts
// "[CNPacketHolder::SetSize] Size:%x Pos:%x RequestSize:%x" and the like, to the debug trace only.
class CNPacketHolder {
 public:
  enum SeekOrigin { kSeekBegin, kSeekCurrent, kSeekEnd };

  CNPacketHolder();  // a fresh buffer in grow mode 1
  explicit CNPacketHolder(CRPtr<CRBuffer> buffer);

  // Sets the bytes in use, growing the buffer; the position is kept (clamped to the size).
  bool SetSize(uint32_t size);
  // Makes room for bytes more bytes at the position ("CNPacketHolder::KeepBuffer").
  bool KeepBuffer(uint32_t bytes);
  // Writes at the position and advances, extending the size when writing past it.
  bool Write(const void* data, uint32_t bytes);
  // Reads bytes and advances; false (and nothing read) when fewer remain.
  bool Read(void* out, uint32_t bytes);
  // Reads a NUL-terminated UTF-16LE text and advances past the NUL; false when none ends
  // before the size.
  bool ReadText(std::u16string& out);
  bool Seek(int64_t offset, SeekOrigin origin);  // false when the target lies outside 0..size
  void Reset();                                  // position and size 0; the buffer is kept
  bool IsEnd() const { return m_ulPosition >= m_ulSize; }

  uint32_t GetPosition() const { return m_ulPosition; }
  uint32_t GetSize() const { return m_ulSize; }
  uint32_t GetRemaining() const { return m_ulSize > m_ulPosition ? m_ulSize - m_ulPosition : 0; }
  uint8_t* GetData();
  const uint8_t* GetData() const;
  CRBuffer* GetBuffer() const { return m_pBuffer.Get(); }
  bool IsFailed() const;

  // Little-endian scalars.
  bool WriteU8(uint8_t v) { return Write(&v, 1); }
  bool WriteU16(uint16_t v);
  bool WriteU32(uint32_t v);
  bool WriteU64(uint64_t v);
  bool WriteDouble(double v);
  bool ReadU8(uint8_t& v) { return Read(&v, 1); }
  bool ReadU16(uint16_t& v);
  bool ReadU32(uint32_t& v);
  bool ReadU64(uint64_t& v);
  bool ReadDouble(double& v);

 private:
  template <class T>
  bool WriteScalar(T v);
  template <class T>
  bool ReadScalar(T& v);
  void TraceFailure(const char* where, uint32_t requestSize) const;

  CRPtr<CRBuffer> m_pBuffer;
  uint32_t m_ulPosition = 0;
  uint32_t m_ulSize = 0;
};
