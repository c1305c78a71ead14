#include "comm/value_codec.h"

#include <bit>
#include <cstring>
#include <string>

#include "support/byte_order.h"

namespace {

constexpr uint8_t kShapeEmpty = 0;
constexpr uint8_t kShapeScalar = 255;
constexpr uint8_t kMaxDimensions = 254;
constexpr uint8_t kSharedKindBit = 0x80;

// Encoded elements collect in a small block that goes to the packet in one write.
class EncodeBlock {
 public:
  explicit EncodeBlock(CNPacketHolder& packet) : m_packet(packet) {}

  bool Byte(uint8_t v) {
    if (!Room(1)) return false;
    m_bytes[m_used++] = v;
    return true;
  }
  bool Word64(uint64_t v) {
    if (!Room(8)) return false;
    for (int i = 0; i < 8; ++i) m_bytes[m_used++] = static_cast<uint8_t>(v >> (8 * i));
    return true;
  }
  bool Text(std::u16string_view text) {
    if (!Flush()) return false;
    if (text.size() >= UINT32_MAX / 2) return false;
    if constexpr (std::endian::native == std::endian::little) {
      if (!m_packet.Write(text.data(), static_cast<uint32_t>(text.size() * 2))) return false;
    } else {
      for (char16_t c : text)
        if (!m_packet.WriteU16(c)) return false;
    }
    return m_packet.WriteU16(0);
  }
  bool Flush() {
    const bool written = m_packet.Write(m_bytes, m_used);
    m_used = 0;
    return written;
  }

 private:
  bool Room(uint32_t bytes) { return m_used + bytes <= sizeof(m_bytes) || Flush(); }

  CNPacketHolder& m_packet;
  uint8_t m_bytes[512];
  uint32_t m_used = 0;
};

bool EncodeElement(EncodeBlock& block, const ValueElement& e) {
  if (!block.Byte(e.kind)) return false;
  switch (e.kind) {
    case VK_BOOL:
      return block.Byte(e.b ? 1 : 0);
    case VK_NUMBER:
      return block.Word64(std::bit_cast<uint64_t>(e.n));
    case VK_STRING:
      return block.Text(ElementString(e));
    case VK_TIME:
      return block.Word64(e.t);
    default:
      return true;  // no value and object handles carry no payload
  }
}

// A read-only view of the bytes left in the packet that no read can pass.
class DecodeCursor {
 public:
  explicit DecodeCursor(const CNPacketHolder& packet)
      : m_data(packet.GetData()), m_position(packet.GetPosition()), m_end(packet.GetSize()) {}

  uint32_t GetPosition() const { return m_position; }
  uint32_t Remaining() const { return m_end - m_position; }

  bool Peek(uint8_t& v) const {
    if (m_position >= m_end) return false;
    v = m_data[m_position];
    return true;
  }
  bool Byte(uint8_t& v) {
    if (!Peek(v)) return false;
    ++m_position;
    return true;
  }
  bool Word32(uint32_t& v) {
    if (Remaining() < 4) return false;
    const uint8_t* p = m_data + m_position;
    v = LoadLittleEndian32(p);
    m_position += 4;
    return true;
  }
  bool Word64(uint64_t& v) {
    if (Remaining() < 8) return false;
    const uint8_t* p = m_data + m_position;
    v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    m_position += 8;
    return true;
  }
  // A UTF-16LE text up to its NUL, which is consumed.
  bool Text(std::u16string& out) {
    const uint8_t* p = m_data + m_position;
    const uint32_t units = Remaining() / 2;
    for (uint32_t i = 0; i < units; ++i) {
      if (p[2 * i] != 0 || p[2 * i + 1] != 0) continue;
      out.resize(i);
      if constexpr (std::endian::native == std::endian::little) {
        if (i > 0) std::memcpy(out.data(), p, size_t{i} * 2);
      } else {
        for (uint32_t k = 0; k < i; ++k) out[k] = static_cast<char16_t>(p[2 * k] | (p[2 * k + 1] << 8));
      }
      m_position += 2 * (i + 1);
      return true;
    }
    return false;
  }

 private:
  const uint8_t* m_data;
  uint32_t m_position;
  uint32_t m_end;
};

// The fewest payload bytes an element of the kind can take.
uint32_t MinimumPayload(uint8_t kind) {
  switch (kind) {
    case VK_BOOL:
      return 1;
    case VK_STRING:
      return 2;
    case VK_NUMBER:
    case VK_TIME:
      return 8;
    default:
      return 0;
  }
}

bool DecodeElement(DecodeCursor& cursor, CNValue& value, uint32_t i, uint8_t kind, std::u16string& text) {
  switch (kind) {
    case VK_NA:
      return true;
    case VK_BOOL: {
      uint8_t b;
      if (!cursor.Byte(b)) return false;
      value.SetBoolAt(i, b != 0);
      return true;
    }
    case VK_NUMBER: {
      uint64_t bits;
      if (!cursor.Word64(bits)) return false;
      value.SetNumberAt(i, std::bit_cast<double>(bits));
      return true;
    }
    case VK_STRING:
      if (!cursor.Text(text)) return false;
      value.SetStringAt(i, text);
      return true;
    case VK_TIME: {
      uint64_t ticks;
      if (!cursor.Word64(ticks)) return false;
      value.SetTimeAt(i, ticks);
      return true;
    }
    case VK_OBJECT:
      value.SetObjectAt(i, 0);
      return true;
    default:
      return false;
  }
}

bool DecodeElements(DecodeCursor& cursor, CNValue& value, uint16_t dimensions, const uint32_t* sizes,
                    uint32_t count) {
  uint8_t first;
  if (!cursor.Peek(first)) return false;
  const bool shared = (first & kSharedKindBit) != 0;
  const uint8_t sharedKind = first & ~kSharedKindBit;
  if (shared) {
    cursor.Byte(first);
    if (sharedKind > VK_OBJECT) return false;
    // Every element must still fit in the bytes that are left; kinds without payload are
    // bounded by the absolute cap instead.
    const uint32_t minimum = MinimumPayload(sharedKind);
    if (minimum == 0 ? count > kMaxPayloadlessElements : count > cursor.Remaining() / minimum) return false;
  } else if (count > cursor.Remaining()) {
    return false;  // each element takes at least its kind byte
  }
  if (!value.SetDimensions(dimensions, sizes)) return false;
  std::u16string text;
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t kind = sharedKind;
    if (!shared && !cursor.Byte(kind)) return false;
    if (!DecodeElement(cursor, value, i, kind, text)) return false;
  }
  return true;
}

}  // namespace

bool EncodeValue(CNPacketHolder& packet, const CNValue& value) {
  EncodeBlock block(packet);
  const uint16_t dimensions = value.GetDimensionCount();
  if (dimensions == 0) {
    return block.Byte(kShapeEmpty) && block.Byte(value.GetQuality()) && block.Flush();
  }
  if (value.GetDimensionSizes() == nullptr) {
    if (!block.Byte(kShapeScalar)) return false;
  } else {
    if (dimensions > kMaxDimensions || !block.Byte(static_cast<uint8_t>(dimensions))) return false;
    for (uint16_t d = 0; d < dimensions; ++d) {
      const uint32_t size = value.GetDimensionSize(d);
      for (int i = 0; i < 4; ++i)
        if (!block.Byte(static_cast<uint8_t>(size >> (8 * i)))) return false;
    }
  }
  if (!block.Byte(value.GetQuality())) return false;
  const ValueElement* elements = value.GetElements();
  for (uint32_t i = 0; i < value.GetCount(); ++i)
    if (!EncodeElement(block, elements[i])) return false;
  return block.Flush();
}

bool DecodeValue(CNPacketHolder& packet, CNValue& value) {
  value.Clear();
  DecodeCursor cursor(packet);
  uint8_t shape;
  if (!cursor.Byte(shape)) return false;
  uint16_t dimensions = 0;
  uint32_t sizes[kMaxDimensions];
  const uint32_t* sizeList = nullptr;
  uint64_t count = 0;
  if (shape == kShapeScalar) {
    dimensions = 1;
    count = 1;
  } else if (shape != kShapeEmpty) {
    dimensions = shape;
    sizeList = sizes;
    count = 1;
    bool tooLarge = false;
    bool anyZero = false;
    for (uint16_t d = 0; d < dimensions; ++d) {
      if (!cursor.Word32(sizes[d])) return false;
      anyZero = anyZero || sizes[d] == 0;
      if (!tooLarge) {
        count *= sizes[d];
        tooLarge = count > UINT32_MAX;
      }
    }
    // A zero size makes the empty value, however large the other sizes are.
    if (anyZero) {
      count = 0;
    } else if (tooLarge) {
      return false;
    }
  }
  uint8_t quality;
  if (!cursor.Byte(quality)) return false;
  if (count == 0) {
    // A value without elements may still carry a shared-kind byte.
    uint8_t kind;
    if (cursor.Peek(kind) && (kind & kSharedKindBit)) cursor.Byte(kind);
  } else if (!DecodeElements(cursor, value, dimensions, sizeList, static_cast<uint32_t>(count))) {
    value.Clear();
    return false;
  }
  value.SetQuality(quality);
  packet.Seek(cursor.GetPosition(), CNPacketHolder::kSeekBegin);
  return true;
}
