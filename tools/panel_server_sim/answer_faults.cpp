#include "panel_server_sim/answer_faults.h"

#include "comm/frame.h"
#include "panel_server_sim/command_packet.h"

namespace panel_sim {

namespace {

// Stray bytes a reader must skip: an "@" not followed by "KV", then one followed by "KV" but
// not by a line feed. Each false start is followed by enough bytes that a reader looking at the
// three after an "@" does not swallow the next "@".
constexpr uint8_t kGarbage[] = {'x', '@', 'K', 'x', 'x', '@', 'K', 'V', 'x', 0x00, 0xFF};

constexpr uint16_t kDecoyStatus = 0xFFFF;

// A well-formed frame on the callback channel that a command reader must drop; its id and
// status could never pass for the answer.
std::vector<uint8_t> DecoyFrame(uint8_t answerId) {
  CNPacketHolder packet;
  BeginFrame(packet);
  WriteCommandHeader(packet, static_cast<uint8_t>(answerId + 1), kDecoyStatus, u"Decoy");
  FinishFrame(packet, kChannelCallback);
  return FrameBytes(packet);
}

}  // namespace

bool DamagesAnswers(const FaultSettings& faults) {
  return faults.garbageBeforeFrame || faults.wrongChannel || faults.corruptCrc || faults.shortFrame;
}

std::vector<uint8_t> AnswerWireBytes(const std::vector<uint8_t>& frame, const FaultSettings& faults) {
  std::vector<uint8_t> wire;
  if (faults.garbageBeforeFrame) wire.insert(wire.end(), std::begin(kGarbage), std::end(kGarbage));
  if (faults.wrongChannel && frame.size() > kFrameHeaderSize) {
    const std::vector<uint8_t> decoy = DecoyFrame(frame[kFrameHeaderSize]);
    wire.insert(wire.end(), decoy.begin(), decoy.end());
  }
  if (faults.shortFrame) {
    // "@KV\n", the channel and a length of 5: one byte too few for any frame.
    constexpr uint8_t kShort[] = {'@', 'K', 'V', '\n', kChannelCommand, 5, 0, 0, 0, 0, 0, 0, 0, 0};
    wire.insert(wire.end(), std::begin(kShort), std::end(kShort));
    return wire;
  }
  const size_t start = wire.size();
  wire.insert(wire.end(), frame.begin(), frame.end());
  if (faults.corruptCrc && wire.size() > start) wire.back() ^= 0x5A;
  return wire;
}

}  // namespace panel_sim
