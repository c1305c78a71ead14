#include "comm/frame.h"

#include <cerrno>
#include <cstring>

#include "comm/crc16.h"

namespace {

constexpr uint32_t kPayloadOffset = kFrameHeaderSize;

// Drops the first bytes of the held ones, moving the rest to the front.
void DropFront(CNPacketHolder& packet, size_t bytes, size_t& held) {
  if (bytes == 0) return;
  std::memmove(packet.GetData(), packet.GetData() + bytes, held - bytes);
  held -= bytes;
}

// The frame loop of ReceiveFrame, which resets the packet whenever this fails. The packet is
// the read buffer: the scan says how far to read, which is never past the frame it reads.
ClientResult ReadFrame(CNByteSource& source, uint8_t channel, CNPacketHolder& packet, uint32_t maxLength) {
  packet.Reset();
  size_t held = 0;
  for (;;) {
    const CNFrameScan scan = ScanFrame({packet.GetData(), held}, maxLength);
    switch (scan.outcome) {
      case CNFrameScan::kTooSmall: return ClientResult::Fail(CS_FRAME_TOO_SMALL);
      case CNFrameScan::kTooLarge: return ClientResult::Fail(CS_FRAME_TOO_LARGE);
      case CNFrameScan::kIncomplete: {
        DropFront(packet, scan.start, held);
        const size_t wanted = scan.end - scan.start;
        if (wanted > UINT32_MAX || !packet.SetSize(static_cast<uint32_t>(wanted)))
          return ClientResult::Fail(CS_FRAME_TOO_LARGE);
        int error = 0;
        if (!source.ReadExact(packet.GetData() + held, wanted - held, error))
          return ClientResult::Fail(CS_RECEIVE_FAILED, static_cast<uint32_t>(error));
        held = wanted;
        break;
      }
      case CNFrameScan::kFrame: {
        uint8_t* body = packet.GetData() + scan.start + kFrameHeaderSize;
        ClientResult checked = CheckFrameBody(body, scan.length);
        if (!checked.Succeeded()) return checked;
        if (scan.channel != channel) {
          DropFront(packet, scan.end, held);
          break;
        }
        const uint32_t payload = scan.length - kFrameTrailerSize;
        std::memmove(packet.GetData(), body, payload);
        packet.SetSize(payload);
        packet.Seek(0, CNPacketHolder::kSeekBegin);
        return ClientResult::Ok();
      }
    }
  }
}

}  // namespace

ClientResult CompleteFrame(CNPacketHolder& packet, uint8_t channel) {
  if (packet.IsFailed())
    return ClientResult::Fail(CS_OUT_OF_MEMORY, packet.GetBuffer()->GetCapacity());
  const uint32_t total = packet.GetSize();
  // A packet without its reserved header and trailer bytes cannot go out.
  if (total < kFrameHeaderSize + kFrameTrailerSize)
    return ClientResult::Fail(CS_SEND_FAILED, EINVAL);
  uint8_t* data = packet.GetData();
  const uint32_t length = total - kFrameHeaderSize;
  std::memcpy(data, kFrameHeaderMark, sizeof(kFrameHeaderMark));
  data[4] = channel;
  for (int i = 0; i < 4; ++i) data[5 + i] = static_cast<uint8_t>(length >> (8 * i));
  uint8_t* trailer = data + total - kFrameTrailerSize;
  std::memcpy(trailer, kFrameTrailerMark, sizeof(kFrameTrailerMark));
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
  if (data == nullptr || size < 1) return ClientResult::Fail(CS_INVALID_PACKET);
  if (data[0] != id) return ClientResult::Fail(CS_WRONG_PACKET_ID);
  if (size < 3) return ClientResult::Fail(CS_INVALID_PACKET);
  const uint32_t code = data[1] | (data[2] << 8);
  if (code != 0) return ClientResult::Fail(CS_SERVER_ERROR_CODE, code);
  if (size < 5) return ClientResult::Fail(CS_INVALID_PACKET);
  const uint32_t header = 7u + (data[3] | (data[4] << 8));
  if (header > size) return ClientResult::Fail(CS_INVALID_PACKET);
  packet.Seek(header, CNPacketHolder::kSeekBegin);
  return ClientResult::Ok();
}
