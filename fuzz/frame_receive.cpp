// Frames read from an arbitrary byte stream, one after another, each accepted payload then
// checked as a command answer. An accepted frame must hold its trailer and a matching CRC, and
// the reader must never pass the stream's end. The same bytes are then scanned in one piece as
// the gateway scans them: every scan must stay inside the bytes it was given, or ask for more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "comm/crc16.h"
#include "comm/frame.h"

namespace {

constexpr uint32_t kMaxLength = 1u << 16;

class StreamSource : public CNByteSource {
 public:
  StreamSource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool ReadExact(uint8_t* out, size_t bytes, int& errorCode) override {
    if (bytes > m_size - m_position) {
      m_position = m_size;
      errorCode = 0;
      return false;
    }
    if (bytes > 0) std::memcpy(out, m_data + m_position, bytes);
    m_position += bytes;
    return true;
  }
  const uint8_t* Consumed() const { return m_data + m_position; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_position = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t channel = (data[0] & 1) ? kChannelCallback : kChannelCommand;
  StreamSource source(data + 1, size - 1);
  CNPacketHolder packet;
  while (ReceiveFrame(source, channel, packet, kMaxLength).Succeeded()) {
    const uint32_t payload = packet.GetSize();
    if (payload > kMaxLength - 6 || packet.GetPosition() != 0) std::abort();
    // The accepted frame ends where the source now stands: payload, "*KV*", CRC high, low.
    const uint8_t* end = source.Consumed();
    if (std::memcmp(end - 6, "*KV*", 4) != 0) std::abort();
    const uint16_t crc = Crc16Modbus(packet.GetData(), payload);
    if (end[-2] != (crc >> 8) || end[-1] != (crc & 0xFF)) std::abort();
    if (payload > 0) {
      const uint8_t id = packet.GetData()[0];
      if (CheckAnswer(packet, static_cast<uint8_t>(id + 1)).Succeeded()) std::abort();
      if (CheckAnswer(packet, id).Succeeded() && packet.GetPosition() > payload) std::abort();
    }
  }
  std::span<const uint8_t> rest(data + 1, size - 1);
  for (;;) {
    const CNFrameScan scan = ScanFrame(rest, kMaxLength);
    if (scan.start > rest.size() || scan.end <= scan.start) std::abort();
    if (scan.outcome == CNFrameScan::kIncomplete) {
      if (scan.end <= rest.size()) std::abort();
      break;
    }
    if (scan.end > rest.size() || std::memcmp(rest.data() + scan.start, "@KV\n", 4) != 0) std::abort();
    rest = rest.subspan(scan.end);
  }
  return 0;
}
