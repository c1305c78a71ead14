#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "comm/client_result.h"
#include "comm/frame_scanner.h"
#include "comm/packet_holder.h"

// Completes a frame built as 9 reserved bytes, the payload and 6 reserved bytes (the whole
// packet, size T): writes the header and the trailer with the CRC. Fails with
// "Can't allocate memory. %u Byte" when the packet's buffer has failed.
ClientResult CompleteFrame(CNPacketHolder& packet, uint8_t channel);

// Where frames are read from: a socket, a queue of received chunks, a test's byte string.
class CNByteSource {
 public:
  virtual ~CNByteSource() = default;
  // Reads exactly bytes bytes. On failure returns false with errorCode set to the platform's
  // error number: 0 when the data simply ended (or the peer closed the connection), ETIMEDOUT
  // when a socket's wait for more data timed out.
  virtual bool ReadExact(uint8_t* out, size_t bytes, int& errorCode) = 0;
};

// Receives the next frame of the channel, skipping garbage before "@KV\n" and whole frames of
// other channels; the packet then holds the payload at position 0. Reads never go past the end
// of the frame returned. Texts: "Failed to receive
// packet. Code:%u", "Fail to receive : Packet size is too small.", "Packet size is too large."
// (also for L above maxLength), "Fail to receive : footer check is error. [%s]" and
// "Fail to receive : CRC check error. [%s]" with the L bytes in upper-case hexadecimal (the
// first 64 KiB and "..." for larger frames). On failure the packet is left empty.
ClientResult ReceiveFrame(CNByteSource& source, uint8_t channel, CNPacketHolder& packet,
                          uint32_t maxLength = kDefaultMaxFrameLength);

// Checks an answer payload against the request's id and places the packet after the command
// header: "Receive invalid packet.", "Packet id is not collect.", "Error from server. Code:%u".
// A payload too short for the parts it is checked against (or for its own command header) is
// an invalid packet.
ClientResult CheckAnswer(CNPacketHolder& packet, uint8_t id);
