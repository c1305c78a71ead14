#pragma once

#include <SDL2/SDL_keyboard.h>

#include <cstdint>
#include <string_view>

// The keyboard of the host window in the terms the panel uses: virtual-key numbers (what
// "OnKeyDown" hands to scripts) and the modifier bits of the key events' flag word.

// 0 for a key the panel has no number for; such keys are not delivered.
uint32_t VirtualKeyFromSdl(SDL_Keycode key);
uint32_t KeyFlagsFromSdl(uint16_t modifiers);

// The host command a key combination stands for ("zoom_in", "full_screen", ...); empty for
// every other key, which goes to the project.
std::u16string_view HostCommandForKey(SDL_Keycode key, uint16_t modifiers);
