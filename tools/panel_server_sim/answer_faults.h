#pragma once

#include <cstdint>
#include <vector>

#include "panel_server_sim/faults.h"

namespace panel_sim {

// The bytes that go on the wire for one complete answer frame under the faults that damage
// the transport: garbage-before-frame, wrong-channel, corrupt-crc and short-frame. Without
// them, the frame itself.
std::vector<uint8_t> AnswerWireBytes(const std::vector<uint8_t>& frame, const FaultSettings& faults);
// Whether any of those faults is on.
bool DamagesAnswers(const FaultSettings& faults);

}  // namespace panel_sim
