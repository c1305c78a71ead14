#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>
#include <vector>

#include "comm/da_client.h"
#include "comm/frame.h"

// What the socket client and the HTTP client share: the reserved header and trailer bytes of a
// packet, the protocol flag, completing a frame for a channel, reading a frame from a byte
// source with the configured length limit, and the fields of a connection string.
class CNDAClientTcpBase : public CNDAClient {
 public:
  // A connection-string time-out of -1 (or any other value below 1) means this many seconds.
  static constexpr int kDefaultTimeoutSeconds = 4;

  void BeginPacket(CNPacketHolder& packet) override;  // 9 zero bytes
  void EndPacket(CNPacketHolder& packet) override;    // 6 zero bytes

  // Always 1: the header check includes the line feed after "@KV".
  uint32_t GetProtocol() const { return m_ulProtocol; }

  // Largest frame length L accepted from the peer; longer frames answer "Packet size is too
  // large.".
  void SetMaxFrameLength(uint32_t bytes) { m_ulMaxFrameLength.store(bytes, std::memory_order_relaxed); }
  uint32_t GetMaxFrameLength() const { return m_ulMaxFrameLength.load(std::memory_order_relaxed); }

  // The fields of a connection string, split at every ",".
  static std::vector<std::u16string_view> SplitConnectionString(std::u16string_view connection);
  // A time-out field in seconds: -1, 0, other negative values and a missing field give
  // kDefaultTimeoutSeconds.
  static int ParseTimeoutSeconds(std::u16string_view field);

 protected:
  // Completes the packet (9 reserved bytes, payload, 6 reserved bytes) as a frame of channel.
  ClientResult CompleteFrame(CNPacketHolder& packet, uint8_t channel) const;
  // The next frame of channel from source, payload only, within the length limit.
  ClientResult ReceiveFrame(CNByteSource& source, uint8_t channel, CNPacketHolder& packet) const;

 private:
  const uint32_t m_ulProtocol = 1;
  std::atomic<uint32_t> m_ulMaxFrameLength{kDefaultMaxFrameLength};
};
