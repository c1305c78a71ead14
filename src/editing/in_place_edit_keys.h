#pragma once

#include <cstdint>

// The key codes screen objects receive ("OnKeyDown" hands them to scripts as they are): the
// virtual-key numbers of the original platform, which the host maps its keyboard events to.
inline constexpr uint32_t kKeyBack = 0x08;
inline constexpr uint32_t kKeyTab = 0x09;
inline constexpr uint32_t kKeyReturn = 0x0D;
inline constexpr uint32_t kKeyEscape = 0x1B;
inline constexpr uint32_t kKeyEnd = 0x23;
inline constexpr uint32_t kKeyHome = 0x24;
inline constexpr uint32_t kKeyLeft = 0x25;
inline constexpr uint32_t kKeyRight = 0x27;
inline constexpr uint32_t kKeyDelete = 0x2E;
inline constexpr uint32_t kKeyA = 0x41;

// The modifier keys held, as bits of the flag word of key events.
inline constexpr uint32_t kKeyFlagShift = 0x1;
inline constexpr uint32_t kKeyFlagControl = 0x2;
inline constexpr uint32_t kKeyFlagAlt = 0x4;
