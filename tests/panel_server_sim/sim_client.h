#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "comm/frame.h"
#include "comm/packet_holder.h"
#include "support/socket.h"

// A bare client for the server tests: raw bytes in and out of one TCP socket, with frames
// read by the protocol's frame reader.
class SimClient {
 public:
  static constexpr uint32_t kTimeoutMs = 3000;

  bool Open(uint16_t port) { return m_socket.Connect("127.0.0.1", port, kTimeoutMs); }
  bool SendBytes(const std::vector<uint8_t>& bytes) { return m_socket.SendAll(bytes.data(), bytes.size(), kTimeoutMs); }
  // Every byte of the next frame, header to CRC, whatever its channel.
  std::vector<uint8_t> ReadRawFrame() {
    std::vector<uint8_t> frame(kFrameHeaderSize);
    if (!m_socket.ReceiveExact(frame.data(), frame.size(), kTimeoutMs)) return {};
    const uint32_t length = frame[5] | frame[6] << 8 | frame[7] << 16 | static_cast<uint32_t>(frame[8]) << 24;
    if (length > (1u << 24)) return {};
    frame.resize(kFrameHeaderSize + length);
    if (!m_socket.ReceiveExact(frame.data() + kFrameHeaderSize, length, kTimeoutMs)) return {};
    return frame;
  }
  // The next frame of the channel, payload only.
  ClientResult Receive(CNPacketHolder& packet, uint8_t channel = kChannelCommand) {
    Source source(m_socket);
    return ReceiveFrame(source, channel, packet);
  }
  // True when the server closed the connection (or it failed) within the time-out.
  bool WaitClosed() {
    uint8_t byte = 0;
    return !m_socket.ReceiveExact(&byte, 1, kTimeoutMs) && m_socket.GetLastError() != ETIMEDOUT;
  }
  CRSocket& Socket() { return m_socket; }

 private:
  class Source : public CNByteSource {
   public:
    explicit Source(CRSocket& socket) : m_socket(socket) {}
    bool ReadExact(uint8_t* out, size_t bytes, int& errorCode) override {
      if (m_socket.ReceiveExact(out, bytes, kTimeoutMs)) return true;
      errorCode = m_socket.GetLastError();
      return false;
    }

   private:
    CRSocket& m_socket;
  };

  CRSocket m_socket;
};
