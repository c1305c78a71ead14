// Value decoding from arbitrary bytes: whatever decodes must encode again and decode to the
// same literal text and quality, consuming exactly what was encoded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "comm/value_codec.h"

namespace {

// Literal texts of the largest payload-less values are slow to build and say nothing new.
constexpr uint32_t kLiteralCompareLimit = 1u << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  CNPacketHolder packet;
  packet.Write(data, static_cast<uint32_t>(size));
  packet.Seek(0, CNPacketHolder::kSeekBegin);
  CNValue value;
  if (!DecodeValue(packet, value)) {
    if (!value.IsEmpty()) std::abort();
    return 0;
  }
  if (packet.GetPosition() > size) std::abort();

  CNPacketHolder again;
  if (!EncodeValue(again, value)) std::abort();
  const uint32_t encoded = again.GetSize();
  again.Seek(0, CNPacketHolder::kSeekBegin);
  CNValue decoded;
  if (!DecodeValue(again, decoded)) std::abort();
  if (again.GetPosition() != encoded) std::abort();
  if (decoded.GetQuality() != value.GetQuality() || !decoded.IsSameShape(value)) std::abort();
  if (value.GetCount() <= kLiteralCompareLimit && decoded.ToLiteral(true) != value.ToLiteral(true))
    std::abort();
  return 0;
}
