#include "panel_server_sim/frame_scan.h"

#include "comm/frame.h"

namespace panel_sim {

bool FindCompleteFrame(const std::vector<uint8_t>& bytes, size_t from, uint32_t maxLength, size_t& end,
                       uint8_t& channel) {
  static constexpr uint8_t kStart[] = {'@', 'K', 'V', '\n'};
  for (size_t start = from; start + kFrameHeaderSize <= bytes.size(); ++start) {
    if (bytes[start] != kStart[0] || bytes[start + 1] != kStart[1] || bytes[start + 2] != kStart[2] ||
        bytes[start + 3] != kStart[3])
      continue;
    channel = bytes[start + 4];
    const uint32_t length = static_cast<uint32_t>(bytes[start + 5]) | static_cast<uint32_t>(bytes[start + 6]) << 8 |
                            static_cast<uint32_t>(bytes[start + 7]) << 16 |
                            static_cast<uint32_t>(bytes[start + 8]) << 24;
    if (length < kFrameTrailerSize || length > maxLength) {
      end = start + kFrameHeaderSize;
      return true;
    }
    if (bytes.size() - start - kFrameHeaderSize < length) return false;
    end = start + kFrameHeaderSize + length;
    return true;
  }
  return false;
}

}  // namespace panel_sim
