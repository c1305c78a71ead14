#include "comm/frame.h"

#include <cerrno>
#include <cstring>

#include "comm/crc16.h"

namespace {

constexpr uint8_t kHeaderMark[4] = {'@', 'K', 'V', '\n'};
constexpr uint8_t kTrailerMark[4] = {'*', 'K', 'V', '*'};
constexpr uint32_t kPayloadOffset = kFrameHeaderSize;

uint32_t ReadLittle32(const uint8_t* p) {
  return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// Dumps of damaged frames go into error texts and traces: beyond this many bytes they end in
// "..." instead of growing to hundreds of megabytes for a large frame.
constexpr uint32_t kMaxDumpedBytes = 64 * 1024;

ClientResult DumpedFailure(const char16_t* text, const uint8_t* data, uint32_t bytes) {
  if (bytes <= kMaxDumpedBytes) return ClientResult::Fail(text + HexDump(data, bytes) + u"]");
  return ClientResult::Fail(text + HexDump(data, kMaxDumpedBytes) + u"...]");
}

// The frame loop of ReceiveFrame, which resets the packet whenever this fails.
ClientResult ReadFrame(CNByteSource& source, uint8_t channel, CNPacketHolder& packet, uint32_t maxLength) {
  int error = 0;
  for (;;) {
    // "@" one byte at a time, then the rest of the mark; a wrong rest starts the search again.
    uint8_t byte = 0;
    do {
      if (!source.ReadExact(&byte, 1, error))
        return ClientResult::Failf("Failed to receive packet. Code:%u", error);
    } while (byte != kHeaderMark[0]);
    uint8_t head[3 + 1 + 4];
    if (!source.ReadExact(head, 3, error))
      return ClientResult::Failf("Failed to receive packet. Code:%u", error);
    if (std::memcmp(head, kHeaderMark + 1, 3) != 0) continue;
    if (!source.ReadExact(head + 3, 5, error))
      return ClientResult::Failf("Failed to receive packet. Code:%u", error);
    const uint8_t frameChannel = head[3];
    const uint32_t length = ReadLittle32(head + 4);
    if (length < kFrameTrailerSize) return ClientResult::Fail(u"Fail to receive : Packet size is too small.");
    packet.Reset();
    if (length > maxLength || !packet.SetSize(length))
      return ClientResult::Fail(u"Packet size is too large.");
    uint8_t* data = packet.GetData();
    if (!source.ReadExact(data, length, error))
      return ClientResult::Failf("Failed to receive packet. Code:%u", error);
    const uint32_t payload = length - kFrameTrailerSize;
    if (std::memcmp(data + payload, kTrailerMark, sizeof(kTrailerMark)) != 0)
      return DumpedFailure(u"Fail to receive : footer check is error. [", data, length);
    const uint16_t crc = Crc16Modbus(data, payload);
    if (data[length - 2] != (crc >> 8) || data[length - 1] != (crc & 0xFF))
      return DumpedFailure(u"Fail to receive : CRC check error. [", data, length);
    if (frameChannel != channel) continue;
    packet.SetSize(payload);
    packet.Seek(0, CNPacketHolder::kSeekBegin);
    return ClientResult::Ok();
  }
}

}  // namespace

ClientResult CompleteFrame(CNPacketHolder& packet, uint8_t channel) {
  if (packet.IsFailed())
    return ClientResult::Failf("Can't allocate memory. %u Byte", packet.GetBuffer()->GetCapacity());
  const uint32_t total = packet.GetSize();
  // A packet without its reserved header and trailer bytes cannot go out.
  if (total < kFrameHeaderSize + kFrameTrailerSize)
    return ClientResult::Failf("Failed to send packet. Code:%u", EINVAL);
  uint8_t* data = packet.GetData();
  const uint32_t length = total - kFrameHeaderSize;
  std::memcpy(data, kHeaderMark, sizeof(kHeaderMark));
  data[4] = channel;
  for (int i = 0; i < 4; ++i) data[5 + i] = static_cast<uint8_t>(length >> (8 * i));
  uint8_t* trailer = data + total - kFrameTrailerSize;
  std::memcpy(trailer, kTrailerMark, sizeof(kTrailerMark));
  const uint16_t crc = Crc16Modbus(data + kPayloadOffset, total - kFrameHeaderSize - kFrameTrailerSize);
  trailer[4] = static_cast<uint8_t>(crc >> 8);
  trailer[5] = static_cast<uint8_t>(crc & 0xFF);
  return ClientResult::Ok();
}

ClientResult ReceiveFrame(CNByteSource& source, uint8_t channel, CNPacketHolder& packet, uint32_t maxLength) {
  ClientResult result = ReadFrame(source, channel, packet, maxLength);
  if (!result.Succeeded()) packet.Reset();
  return result;
}

ClientResult CheckAnswer(CNPacketHolder& packet, uint8_t id) {
  // Command header: id, u16 error code, u16 name length n, name and NUL (n + 2 bytes).
  const uint8_t* data = packet.GetData();
  const uint32_t size = packet.GetSize();
  if (data == nullptr || size < 1) return ClientResult::Fail(u"Receive invalid packet.");
  if (data[0] != id) return ClientResult::Fail(u"Packet id is not collect.");
  if (size < 3) return ClientResult::Fail(u"Receive invalid packet.");
  const uint32_t code = data[1] | (data[2] << 8);
  if (code != 0) return ClientResult::Failf("Error from server. Code:%u", code);
  if (size < 5) return ClientResult::Fail(u"Receive invalid packet.");
  const uint32_t header = 7u + (data[3] | (data[4] << 8));
  if (header > size) return ClientResult::Fail(u"Receive invalid packet.");
  packet.Seek(header, CNPacketHolder::kSeekBegin);
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
