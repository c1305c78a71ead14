// The host window's keyboard in the panel's key numbers, and the host commands on keys.

#include <gtest/gtest.h>

#include "controls/in_place_edit_keys.h"
#include "platform/key_map.h"

TEST(KeyMap, KeysBecomeThePanelsKeyNumbers) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 0x41u);  // letters are their capitals
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 0x5Au);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_0), 0x30u);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1), 0x70u);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 0x7Bu);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_SPACE), 32u);  // presses a focused button
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), kKeyReturn);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), kKeyReturn);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), kKeyEscape);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_BACKSPACE), kKeyBack);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_DELETE), kKeyDelete);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), kKeyLeft);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_HOME), kKeyHome);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_7), 0x67u);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_MINUS), 0xBDu);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_APPLICATION), 0u);  // no number: not delivered
}

TEST(KeyMap, ModifiersAndHostCommands) {
  EXPECT_EQ(KeyFlagsFromSdl(KMOD_LSHIFT | KMOD_RCTRL), kKeyFlagShift | kKeyFlagControl);
  EXPECT_EQ(KeyFlagsFromSdl(KMOD_NUM | KMOD_CAPS), 0u);  // lock states are not modifiers
  EXPECT_EQ(HostCommandForKey(SDLK_EQUALS, KMOD_LCTRL), u"zoom_in");
  EXPECT_EQ(HostCommandForKey(SDLK_0, KMOD_RCTRL | KMOD_NUM), u"zoom_reset");
  EXPECT_EQ(HostCommandForKey(SDLK_F11, KMOD_NONE), u"full_screen");
  EXPECT_EQ(HostCommandForKey(SDLK_F12, KMOD_SHIFT), u"screenshot_jpeg");
  EXPECT_EQ(HostCommandForKey(SDLK_l, KMOD_CTRL | KMOD_SHIFT), u"logout");
  // The same keys without (or with other) modifiers belong to the project.
  EXPECT_EQ(HostCommandForKey(SDLK_0, KMOD_NONE), u"");
  EXPECT_EQ(HostCommandForKey(SDLK_w, KMOD_CTRL | KMOD_SHIFT), u"");
  EXPECT_EQ(HostCommandForKey(SDLK_a, KMOD_CTRL), u"");
}
