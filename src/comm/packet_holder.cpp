#include "comm/packet_holder.h"

#include <bit>
#include <cstring>

#include "support/trace.h"

namespace {

static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big);

// Wire integers are little-endian; a big-endian host swaps them.
template <class T>
T ToLittleEndian(T v) {
  if constexpr (std::endian::native == std::endian::big) {
    T swapped{};
    auto* from = reinterpret_cast<const uint8_t*>(&v);
    auto* to = reinterpret_cast<uint8_t*>(&swapped);
    for (size_t i = 0; i < sizeof(T); ++i) to[i] = from[sizeof(T) - 1 - i];
    return swapped;
  }
  return v;
}

}  // namespace

CNPacketHolder::CNPacketHolder() : m_pBuffer(CRPtr<CRBuffer>::Make(kBufferGrowDouble)) {}

CNPacketHolder::CNPacketHolder(CRPtr<CRBuffer> buffer) : m_pBuffer(std::move(buffer)) {
  if (!m_pBuffer) m_pBuffer = CRPtr<CRBuffer>::Make(kBufferGrowDouble);
  m_ulSize = m_pBuffer->GetSize();
}

void CNPacketHolder::TraceFailure(const char* where, uint32_t requestSize) const {
  CRTrace::Printf("[%s] Size:%x Pos:%x RequestSize:%x", where, m_ulSize, m_ulPosition, requestSize);
}

bool CNPacketHolder::SetSize(uint32_t size) {
  // The buffer keeps only its own bytes in use when it moves, so its size follows ours.
  if (!m_pBuffer->SetSize(size)) {
    TraceFailure("CNPacketHolder::SetSize", size);
    return false;
  }
  m_ulSize = size;
  if (m_ulPosition > size) m_ulPosition = size;
  return true;
}

bool CNPacketHolder::KeepBuffer(uint32_t bytes) {
  if (bytes > UINT32_MAX - m_ulPosition || !m_pBuffer->Grow(m_ulPosition + bytes)) {
    TraceFailure("CNPacketHolder::KeepBuffer", bytes);
    return false;
  }
  return true;
}

bool CNPacketHolder::Write(const void* data, uint32_t bytes) {
  if (IsFailed()) {
    TraceFailure("CNPacketHolder::Write(GetBuffer)", bytes);
    return false;
  }
  if (bytes == 0) return true;
  if (bytes > UINT32_MAX - m_ulPosition) {
    TraceFailure("CNPacketHolder::Write", bytes);
    return false;
  }
  const uint32_t end = m_ulPosition + bytes;
  if (end > m_ulSize && !SetSize(end)) {
    TraceFailure("CNPacketHolder::Write", bytes);
    return false;
  }
  std::memcpy(GetData() + m_ulPosition, data, bytes);
  m_ulPosition = end;
  return true;
}

bool CNPacketHolder::Read(void* out, uint32_t bytes) {
  if (bytes > GetRemaining()) return false;
  if (bytes == 0) return true;
  std::memcpy(out, GetData() + m_ulPosition, bytes);
  m_ulPosition += bytes;
  return true;
}

bool CNPacketHolder::ReadText(std::u16string& out) {
  const uint8_t* data = GetData();
  const uint32_t units = GetRemaining() / 2;
  for (uint32_t i = 0; i < units; ++i) {
    const uint8_t* unit = data + m_ulPosition + 2 * i;
    if (unit[0] != 0 || unit[1] != 0) continue;
    out.resize(i);
    for (uint32_t k = 0; k < i; ++k) {
      const uint8_t* c = data + m_ulPosition + 2 * k;
      out[k] = static_cast<char16_t>(c[0] | (c[1] << 8));
    }
    m_ulPosition += 2 * (i + 1);
    return true;
  }
  return false;
}

bool CNPacketHolder::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  if (origin == kSeekCurrent) base = m_ulPosition;
  if (origin == kSeekEnd) base = m_ulSize;
  if (offset < -base || offset > int64_t{m_ulSize} - base) return false;
  m_ulPosition = static_cast<uint32_t>(base + offset);
  return true;
}

void CNPacketHolder::Reset() {
  m_pBuffer->SetSize(0);
  m_ulPosition = 0;
  m_ulSize = 0;
}

uint8_t* CNPacketHolder::GetData() {
  return m_pBuffer->GetData();
}
const uint8_t* CNPacketHolder::GetData() const {
  return m_pBuffer->GetData();
}
bool CNPacketHolder::IsFailed() const {
  return m_pBuffer->IsFailed();
}

template <class T>
bool CNPacketHolder::WriteScalar(T v) {
  const T wire = ToLittleEndian(v);
  return Write(&wire, sizeof(T));
}

template <class T>
bool CNPacketHolder::ReadScalar(T& v) {
  T wire;
  if (!Read(&wire, sizeof(T))) return false;
  v = ToLittleEndian(wire);
  return true;
}

bool CNPacketHolder::WriteU16(uint16_t v) {
  return WriteScalar(v);
}
bool CNPacketHolder::WriteU32(uint32_t v) {
  return WriteScalar(v);
}
bool CNPacketHolder::WriteU64(uint64_t v) {
  return WriteScalar(v);
}
bool CNPacketHolder::WriteDouble(double v) {
  return WriteScalar(std::bit_cast<uint64_t>(v));
}
bool CNPacketHolder::ReadU16(uint16_t& v) {
  return ReadScalar(v);
}
bool CNPacketHolder::ReadU32(uint32_t& v) {
  return ReadScalar(v);
}
bool CNPacketHolder::ReadU64(uint64_t& v) {
  return ReadScalar(v);
}

bool CNPacketHolder::ReadDouble(double& v) {
  uint64_t bits;
  if (!ReadScalar(bits)) return false;
  v = std::bit_cast<double>(bits);
  return true;
}
