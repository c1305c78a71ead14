#pragma once

#include <array>
#include <cstdint>

// The fixed starting state of the Blowfish key schedule.
extern const std::array<uint32_t, 18> kBlowfishInitialP;
extern const std::array<std::array<uint32_t, 256>, 4> kBlowfishInitialS;
