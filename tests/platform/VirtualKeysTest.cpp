#include "platform/VirtualKeys.h"

#include <gtest/gtest.h>

#include "platform/WindowMessages.h"

namespace {

TEST(VirtualKeysTest, LettersFollowTheLayoutDigitsAndPunctuationThePosition) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_a, SDL_SCANCODE_Q), static_cast<uint32_t>('A'));  // AZERTY
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_AMPERSAND, SDL_SCANCODE_1), static_cast<uint32_t>('1'));
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_0, SDL_SCANCODE_0), static_cast<uint32_t>('0'));
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_9, SDL_SCANCODE_9), static_cast<uint32_t>('9'));
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON), VK_OEM_1);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE), VK_OEM_7);
}

TEST(VirtualKeysTest, FunctionKeypadAndModifiers) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1, SDL_SCANCODE_F1), VK_F1);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12, SDL_SCANCODE_F12), VK_F12);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0, SDL_SCANCODE_KP_0), VK_NUMPAD0);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9, SDL_SCANCODE_KP_9), VK_NUMPAD0 + 9);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), VK_SHIFT);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RALT, SDL_SCANCODE_RALT), VK_MENU);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0u);
  EXPECT_TRUE(IsExtendedKey(SDL_SCANCODE_RCTRL));
  EXPECT_FALSE(IsExtendedKey(SDL_SCANCODE_LCTRL));
}

}  // namespace
