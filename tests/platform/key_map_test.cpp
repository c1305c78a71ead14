// The host window's keyboard in the panel's key numbers, and the host commands on keys.

#include "platform/key_map.h"

#include <gtest/gtest.h>

#include "editing/in_place_edit_keys.h"

TEST(KeyMap, KeysBecomeThePanelsKeyNumbers) {
  // Letters are their capitals; space presses a focused button; a key without a number is not
  // delivered (0).
  const std::pair<SDL_Keycode, uint32_t> cases[] = {
      {SDLK_a, 0x41}, {SDLK_z, 0x5A}, {SDLK_0, 0x30}, {SDLK_F1, 0x70}, {SDLK_F12, 0x7B}, {SDLK_SPACE, 32},
      {SDLK_RETURN, kKeyReturn}, {SDLK_KP_ENTER, kKeyReturn}, {SDLK_ESCAPE, kKeyEscape},
      {SDLK_BACKSPACE, kKeyBack}, {SDLK_DELETE, kKeyDelete}, {SDLK_LEFT, kKeyLeft}, {SDLK_HOME, kKeyHome},
      {SDLK_KP_7, 0x67}, {SDLK_MINUS, 0xBD}, {SDLK_APPLICATION, 0}};
  for (auto [key, number] : cases) EXPECT_EQ(VirtualKeyFromSdl(key), number) << key;
}

TEST(KeyMap, ModifiersAndHostCommands) {
  EXPECT_EQ(KeyFlagsFromSdl(KMOD_LSHIFT | KMOD_RCTRL), kKeyFlagShift | kKeyFlagControl);
  EXPECT_EQ(KeyFlagsFromSdl(KMOD_NUM | KMOD_CAPS), 0u);  // lock states are not modifiers
  // The same keys without (or with other) modifiers belong to the project.
  const std::tuple<SDL_Keycode, int, std::u16string_view> cases[] = {
      {SDLK_EQUALS, KMOD_LCTRL, u"zoom_in"},       {SDLK_0, KMOD_RCTRL | KMOD_NUM, u"zoom_reset"},
      {SDLK_F11, KMOD_NONE, u"full_screen"},       {SDLK_F12, KMOD_SHIFT, u"screenshot_jpeg"},
      {SDLK_l, KMOD_CTRL | KMOD_SHIFT, u"logout"}, {SDLK_0, KMOD_NONE, u""},
      {SDLK_w, KMOD_CTRL | KMOD_SHIFT, u""},       {SDLK_a, KMOD_CTRL, u""}};
  for (auto [key, modifiers, command] : cases)
    EXPECT_EQ(HostCommandForKey(key, static_cast<uint16_t>(modifiers)), command) << key;
}
