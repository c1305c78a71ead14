#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "comm/frame.h"

// Decoded answer chunks of the HTTP client waiting to be read as frames: a list of byte chunks
// with a read position (the front chunk and an offset into it). Chunks are dropped as soon as
// they have been read.
class CNSoapReceiveQueue : public CNByteSource {
 public:
  // Keeps a chunk at the back; an empty chunk is not kept.
  void Append(std::vector<uint8_t> chunk);
  void Clear();
  bool HasUnread() const { return !m_chunks.empty(); }
  // Removes the front chunk and returns its unread bytes; empty when nothing is queued.
  std::vector<uint8_t> TakeFront();

  // Reads exactly bytes bytes across chunk borders. When fewer are queued, whatever is left is
  // consumed and the read fails with errorCode 0, so that every call makes progress.
  bool ReadExact(uint8_t* out, size_t bytes, int& errorCode) override;

 private:
  std::deque<std::vector<uint8_t>> m_chunks;
  size_t m_ulOffset = 0;  // into the front chunk
};
