#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "comm/client_result.h"

// Framing of every packet on both channels:
//   "@KV" LF, channel byte, u32 L, payload (L - 6 bytes), "*KV*", CRC-16/MODBUS of the payload
//   (high byte first).
inline constexpr uint8_t kChannelCommand = 'N';
inline constexpr uint8_t kChannelCallback = 'C';
inline constexpr uint32_t kFrameHeaderSize = 9;
inline constexpr uint32_t kFrameTrailerSize = 6;
inline constexpr uint8_t kFrameHeaderMark[4] = {'@', 'K', 'V', '\n'};
inline constexpr uint8_t kFrameTrailerMark[4] = {'*', 'K', 'V', '*'};
// Largest L accepted from the network unless configured otherwise: a length field from a peer
// must never make us allocate without bound.
inline constexpr uint32_t kDefaultMaxFrameLength = 64u << 20;

// Where the next frame lies in a run of received bytes, as far as those bytes show it. Every
// reader of frames goes through here: the clients' stream reads, the server's connections and
// the gateway's relay of raw answers.
struct CNFrameScan {
  enum Outcome : uint8_t {
    kIncomplete,  // no whole frame yet: read up to end and scan again
    kFrame,       // a frame with its header, L bytes, trailer and CRC still unchecked
    kTooSmall,    // a header whose L is below 6
    kTooLarge,    // a header whose L is above the limit
  };
  Outcome outcome = kIncomplete;
  // Where the frame's "@KV" line feed begins. With kIncomplete: no frame can begin before it,
  // so the bytes before it may be dropped.
  size_t start = 0;
  // kFrame: just after the CRC; kTooSmall, kTooLarge: just after the header. kIncomplete: the
  // size the bytes must reach before the scan can tell more. It never lies beyond the end of
  // the frame being read, so a reader that reads exactly up to it never takes bytes of the
  // next frame.
  size_t end = 0;
  uint8_t channel = 0;
  uint32_t length = 0;  // L, once the header is complete
};

// Scans bytes for the first frame. The mark is looked for at every position, also inside a
// false mark ("@@KV" line feed, "@K@KV" line feed), so that stray bytes before a frame never
// hide it.
CNFrameScan ScanFrame(std::span<const uint8_t> bytes, uint32_t maxLength);

// The status of a complete frame's L bytes after its header: "*KV*" and the payload's CRC
// (high byte first) at their end. On failure the text holds the L bytes in hexadecimal.
ClientResult CheckFrameBody(const uint8_t* body, uint32_t length);

// Upper-case hexadecimal pairs without separators.
std::u16string HexDump(const uint8_t* data, size_t bytes);
