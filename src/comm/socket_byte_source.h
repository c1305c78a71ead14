#pragma once

#include <cstddef>
#include <cstdint>

#include "comm/frame.h"
#include "support/socket.h"

// Frames read from a connected socket, each wait for more data bounded by the time-out.
class CNSocketByteSource : public CNByteSource {
 public:
  CNSocketByteSource(CRSocket& socket, uint32_t timeoutMs) : m_socket(socket), m_ulTimeoutMs(timeoutMs) {}

  bool ReadExact(uint8_t* out, size_t bytes, int& errorCode) override {
    if (m_socket.ReceiveExact(out, bytes, m_ulTimeoutMs)) return true;
    errorCode = m_socket.GetLastError();
    return false;
  }

 private:
  CRSocket& m_socket;
  uint32_t m_ulTimeoutMs;
};
