#include "comm/soap_receive_queue.h"

#include <algorithm>
#include <cstring>
#include <utility>

void CNSoapReceiveQueue::Append(std::vector<uint8_t> chunk) {
  if (!chunk.empty()) m_chunks.push_back(std::move(chunk));
}

void CNSoapReceiveQueue::Clear() {
  m_chunks.clear();
  m_ulOffset = 0;
}

std::vector<uint8_t> CNSoapReceiveQueue::TakeFront() {
  if (m_chunks.empty()) return {};
  std::vector<uint8_t> front = std::move(m_chunks.front());
  m_chunks.pop_front();
  front.erase(front.begin(), front.begin() + static_cast<std::ptrdiff_t>(m_ulOffset));
  m_ulOffset = 0;
  return front;
}

bool CNSoapReceiveQueue::ReadExact(uint8_t* out, size_t bytes, int& errorCode) {
  errorCode = 0;
  while (bytes > 0) {
    if (m_chunks.empty()) return false;
    const std::vector<uint8_t>& front = m_chunks.front();
    const size_t take = std::min(bytes, front.size() - m_ulOffset);
    std::memcpy(out, front.data() + m_ulOffset, take);
    out += take;
    bytes -= take;
    m_ulOffset += take;
    if (m_ulOffset == front.size()) {
      m_chunks.pop_front();
      m_ulOffset = 0;
    }
  }
  return true;
}
