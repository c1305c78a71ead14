#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace panel_sim {

// Finds the first frame that lies complete in bytes from position from on: its "@KV" line
// feed start, header and L bytes. A header whose length field is below 6 or above maxLength
// is taken as a frame of its 9 header bytes alone, so that the reader behind it meets the same
// broken length. end receives the position after the frame and channel its channel byte.
// False while no frame is complete.
bool FindCompleteFrame(const std::vector<uint8_t>& bytes, size_t from, uint32_t maxLength, size_t& end,
                       uint8_t& channel);

}  // namespace panel_sim
