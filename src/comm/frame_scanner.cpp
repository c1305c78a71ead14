#include "comm/frame_scanner.h"

#include <algorithm>
#include <cstring>

#include "comm/crc16.h"
#include "support/byte_order.h"

namespace {

constexpr size_t kMarkSize = sizeof(kFrameHeaderMark);

// Dumps of damaged frames go into error texts and traces: beyond this many bytes they end in
// "..." instead of growing to hundreds of megabytes for a large frame.
constexpr uint32_t kMaxDumpedBytes = 64 * 1024;

// Where the mark begins, or where the bytes end in a beginning of it that more bytes may
// complete; size when neither. A "@" that turns out false moves the search on by one byte only,
// so a mark starting within its three following bytes is still found.
size_t FindMark(const uint8_t* data, size_t size) {
  for (size_t at = 0; at < size; ++at) {
    const void* found = std::memchr(data + at, kFrameHeaderMark[0], size - at);
    if (found == nullptr) return size;
    at = static_cast<size_t>(static_cast<const uint8_t*>(found) - data);
    if (std::memcmp(data + at, kFrameHeaderMark, std::min(size - at, kMarkSize)) == 0) return at;
  }
  return size;
}

ClientResult DumpedFailure(ClientStatus status, const uint8_t* data, uint32_t bytes) {
  if (bytes <= kMaxDumpedBytes) return ClientResult::Fail(status, HexDump(data, bytes));
  return ClientResult::Fail(status, HexDump(data, kMaxDumpedBytes) + u"...");
}

}  // namespace

CNFrameScan ScanFrame(std::span<const uint8_t> bytes, uint32_t maxLength) {
  CNFrameScan scan;
  const uint8_t* const data = bytes.data();
  const size_t size = bytes.size();
  const size_t at = FindMark(data, size);
  if (size - at < kFrameHeaderSize) {
    scan.start = at;
    scan.end = at + kFrameHeaderSize;
    return scan;
  }
  scan.start = at;
  scan.channel = data[at + kMarkSize];
  scan.length = LoadLittleEndian32(data + at + kMarkSize + 1);
  const size_t headerEnd = at + kFrameHeaderSize;
  if (scan.length < kFrameTrailerSize || scan.length > maxLength) {
    scan.outcome = scan.length < kFrameTrailerSize ? CNFrameScan::kTooSmall : CNFrameScan::kTooLarge;
    scan.end = headerEnd;
    return scan;
  }
  scan.end = headerEnd + scan.length;
  if (scan.end <= size) scan.outcome = CNFrameScan::kFrame;
  return scan;
}

ClientResult CheckFrameBody(const uint8_t* body, uint32_t length) {
  const uint32_t payload = length - kFrameTrailerSize;
  if (std::memcmp(body + payload, kFrameTrailerMark, sizeof(kFrameTrailerMark)) != 0)
    return DumpedFailure(CS_BAD_FOOTER, body, length);
  const uint16_t crc = Crc16Modbus(body, payload);
  if (body[length - 2] != (crc >> 8) || body[length - 1] != (crc & 0xFF))
    return DumpedFailure(CS_BAD_CRC, body, length);
  return ClientResult::Ok();
}

std::u16string HexDump(const uint8_t* data, size_t bytes) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string text(bytes * 2, u'0');
  for (size_t i = 0; i < bytes; ++i) {
    text[2 * i] = kDigits[data[i] >> 4];
    text[2 * i + 1] = kDigits[data[i] & 0x0F];
  }
  return text;
}
