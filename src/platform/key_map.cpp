#include "platform/key_map.h"

#include <array>
#include <utility>

#include "editing/in_place_edit_keys.h"

namespace {

// Keys whose numbers do not follow from their character.
constexpr std::pair<SDL_Keycode, uint32_t> kNamedKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},         {SDLK_RETURN, 0x0D},      {SDLK_KP_ENTER, 0x0D},
    {SDLK_PAUSE, 0x13},     {SDLK_CAPSLOCK, 0x14},    {SDLK_ESCAPE, 0x1B},      {SDLK_SPACE, 0x20},
    {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22},    {SDLK_END, 0x23},         {SDLK_HOME, 0x24},
    {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},          {SDLK_RIGHT, 0x27},       {SDLK_DOWN, 0x28},
    {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E},      {SDLK_LSHIFT, 0x10},
    {SDLK_RSHIFT, 0x10},    {SDLK_LCTRL, 0x11},       {SDLK_RCTRL, 0x11},       {SDLK_LALT, 0x12},
    {SDLK_RALT, 0x12},      {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},     {SDLK_KP_MINUS, 0x6D},
    {SDLK_KP_PERIOD, 0x6E}, {SDLK_KP_DIVIDE, 0x6F},   {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB},      {SDLK_COMMA, 0xBC},       {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},    {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},   {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},      {SDLK_KP_0, 0x60},
    {SDLK_KP_1, 0x61},      {SDLK_KP_2, 0x62},        {SDLK_KP_3, 0x63},        {SDLK_KP_4, 0x64},
    {SDLK_KP_5, 0x65},      {SDLK_KP_6, 0x66},        {SDLK_KP_7, 0x67},        {SDLK_KP_8, 0x68},
    {SDLK_KP_9, 0x69},
};

struct HostKey {
  SDL_Keycode key;
  uint32_t flags;  // exactly these modifiers
  std::u16string_view command;
};

constexpr std::array kHostKeys = {
    HostKey{SDLK_EQUALS, kKeyFlagControl, u"zoom_in"},
    HostKey{SDLK_PLUS, kKeyFlagControl, u"zoom_in"},
    HostKey{SDLK_KP_PLUS, kKeyFlagControl, u"zoom_in"},
    HostKey{SDLK_0, kKeyFlagControl, u"zoom_reset"},
    HostKey{SDLK_KP_0, kKeyFlagControl, u"zoom_reset"},
    HostKey{SDLK_1, kKeyFlagControl, u"zoom_100"},
    HostKey{SDLK_2, kKeyFlagControl, u"zoom_200"},
    HostKey{SDLK_5, kKeyFlagControl, u"zoom_50"},
    HostKey{SDLK_n, kKeyFlagControl | kKeyFlagShift, u"stretch_none"},
    HostKey{SDLK_f, kKeyFlagControl | kKeyFlagShift, u"stretch_full"},
    HostKey{SDLK_k, kKeyFlagControl | kKeyFlagShift, u"stretch_keeprate"},
    HostKey{SDLK_F11, 0, u"full_screen"},
    HostKey{SDLK_F12, 0, u"screenshot_bmp"},
    HostKey{SDLK_F12, kKeyFlagShift, u"screenshot_jpeg"},
    HostKey{SDLK_l, kKeyFlagControl, u"login"},
    HostKey{SDLK_l, kKeyFlagControl | kKeyFlagShift, u"logout"},
    HostKey{SDLK_w, kKeyFlagControl, u"close"},
    HostKey{SDLK_F4, kKeyFlagAlt, u"close"},
};

}  // namespace

uint32_t VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint32_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint32_t>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + static_cast<uint32_t>(key - SDLK_F1);
  for (const auto& [sdl, number] : kNamedKeys)
    if (sdl == key) return number;
  return 0;
}

uint32_t KeyFlagsFromSdl(uint16_t modifiers) {
  uint32_t flags = 0;
  if (modifiers & KMOD_SHIFT) flags |= kKeyFlagShift;
  if (modifiers & KMOD_CTRL) flags |= kKeyFlagControl;
  if (modifiers & KMOD_ALT) flags |= kKeyFlagAlt;
  return flags;
}

std::u16string_view HostCommandForKey(SDL_Keycode key, uint16_t modifiers) {
  const uint32_t flags = KeyFlagsFromSdl(modifiers);
  for (const HostKey& hostKey : kHostKeys)
    if (hostKey.key == key && hostKey.flags == flags) return hostKey.command;
  return {};
}
