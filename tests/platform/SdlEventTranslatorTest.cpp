#include "platform/SdlEventTranslator.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/WindowMessages.h"

namespace {

SDL_Event Key(bool down, SDL_Keycode sym, SDL_Scancode scancode, uint16_t mod, bool repeat = false) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.type = event.type;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.sym = sym;
  event.key.keysym.scancode = scancode;
  event.key.keysym.mod = mod;
  return event;
}

SDL_Event Text(const char* utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
  return event;
}

SDL_Event Button(bool down, uint8_t button, uint8_t clicks, int x, int y) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.type = event.type;
  event.button.button = button;
  event.button.clicks = clicks;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event WindowEvent(SDL_WindowEventID id, int data1 = 0, int data2 = 0) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = id;
  event.window.data1 = data1;
  event.window.data2 = data2;
  return event;
}

uint32_t Flags(const WindowMessage& m) { return static_cast<uint32_t>(m.lParam >> 16) & 0xFFFF; }

class TranslatorTest : public ::testing::Test {
protected:
  std::vector<WindowMessage> Run(const SDL_Event& event) {
    std::vector<WindowMessage> out;
    translator.Translate(event, out);
    return out;
  }
  SdlEventTranslator translator;
};

TEST_F(TranslatorTest, EditingKeysMakeTheirCharactersFromKeyEvents) {
  const struct {
    SDL_Keycode sym;
    SDL_Scancode scancode;
    uint32_t vk;
    uint32_t character;
  } cases[] = {{SDLK_RETURN, SDL_SCANCODE_RETURN, VK_RETURN, 13},
               {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, VK_RETURN, 13},
               {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, VK_BACK, 8},
               {SDLK_TAB, SDL_SCANCODE_TAB, VK_TAB, 9},
               {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, VK_ESCAPE, 27}};
  for (const auto& c : cases) {
    const auto out = Run(Key(true, c.sym, c.scancode, KMOD_NONE));
    ASSERT_EQ(out.size(), 2u) << c.vk;
    EXPECT_EQ(out[0].message, WM_KEYDOWN);
    EXPECT_EQ(out[0].wParam, c.vk);
    EXPECT_EQ(out[1].message, WM_CHAR);
    EXPECT_EQ(out[1].wParam, c.character);
    EXPECT_EQ(out[1].lParam & 0xFFFF, 1);
  }
}

TEST_F(TranslatorTest, ControlLettersBecomeControlCharacters) {
  auto out = Run(Key(true, SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].wParam, 'C');
  EXPECT_EQ(out[1].message, WM_CHAR);
  EXPECT_EQ(out[1].wParam, 3u);
  out = Run(Key(true, SDLK_z, SDL_SCANCODE_Z, KMOD_RCTRL));
  EXPECT_EQ(out.back().wParam, 26u);
  // A plain letter makes no character here: text input brings it.
  out = Run(Key(true, SDLK_c, SDL_SCANCODE_C, KMOD_NONE));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_KEYDOWN);
}

TEST_F(TranslatorTest, AltEnterIsASystemCharacterWithTheContextBit) {
  const auto out = Run(Key(true, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(out[1].message, WM_SYSCHAR);
  EXPECT_EQ(out[1].wParam, 13u);
  EXPECT_NE(Flags(out[1]) & KF_ALTDOWN, 0u);
  EXPECT_NE(Flags(out[1]) & (1u << 13), 0u);
}

TEST_F(TranslatorTest, AltF4AsksToClose) {
  const auto out = Run(Key(true, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(out[0].wParam, VK_F4);
  EXPECT_EQ(out[1].message, WM_SYSCOMMAND);
  EXPECT_EQ(out[1].wParam, SC_CLOSE);
}

TEST_F(TranslatorTest, RepeatAndReleaseFlags) {
  auto out = Run(Key(true, SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE, true));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].wParam, VK_LEFT);
  EXPECT_EQ(Flags(out[0]) & (KF_REPEAT | KF_EXTENDED | KF_UP), KF_REPEAT | KF_EXTENDED);
  out = Run(Key(false, SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_KEYUP);
  EXPECT_NE(Flags(out[0]) & KF_UP, 0u);
}

TEST_F(TranslatorTest, TextInputIsConvertedToTheCodePage) {
  const auto out = Run(Text("a\xC3\xA9\xE2\x82\xAC\xE6\x97\xA5z"));  // a é € (CJK) z
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].wParam, static_cast<uint64_t>('a'));
  EXPECT_EQ(out[1].wParam, 0xE9u);
  EXPECT_EQ(out[2].wParam, 0x80u);
  EXPECT_EQ(out[3].wParam, static_cast<uint64_t>('z'));
  for (const auto& m : out) EXPECT_EQ(m.message, WM_CHAR);
  EXPECT_TRUE(Run(Text("\x7F")).empty());
  EXPECT_TRUE(Run(Text("\xFF\xFE")).empty());
}

TEST_F(TranslatorTest, TextWithLeftAltIsSystemCharacterButAltGrComposes) {
  Run(Key(true, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT));
  auto out = Run(Text("x"));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_SYSCHAR);
  Run(Key(false, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE));
  Run(Key(true, SDLK_RALT, SDL_SCANCODE_RALT, KMOD_RALT));
  out = Run(Text("@"));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_CHAR);
}

TEST_F(TranslatorTest, ClickCountsMakeDoubleClicks) {
  std::vector<uint32_t> messages;
  for (uint8_t clicks = 1; clicks <= 3; ++clicks) {
    for (const auto& m : Run(Button(true, SDL_BUTTON_LEFT, clicks, 10, 20))) messages.push_back(m.message);
    for (const auto& m : Run(Button(false, SDL_BUTTON_LEFT, clicks, 10, 20))) messages.push_back(m.message);
  }
  const std::vector<uint32_t> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                          WM_LBUTTONUP,   WM_LBUTTONDOWN, WM_LBUTTONUP};
  EXPECT_EQ(messages, expected);
  const auto right = Run(Button(true, SDL_BUTTON_RIGHT, 2, 0, 0));
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].message, WM_RBUTTONDBLCLK);
  EXPECT_TRUE(Run(Button(true, SDL_BUTTON_MIDDLE, 1, 0, 0)).empty());
}

TEST_F(TranslatorTest, MouseKeyStateAndSignedCoordinates) {
  Run(Key(true, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT));
  auto out = Run(Button(true, SDL_BUTTON_LEFT, 1, -5, 700));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].wParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(CoordParamX(out[0].lParam), -5);
  EXPECT_EQ(CoordParamY(out[0].lParam), 700);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 3;
  motion.motion.y = 4;
  out = Run(motion);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(out[0].wParam, MK_LBUTTON | MK_SHIFT);
  out = Run(Button(false, SDL_BUTTON_LEFT, 1, 3, 4));
  EXPECT_EQ(out[0].wParam, MK_SHIFT);
}

TEST_F(TranslatorTest, WindowEvents) {
  translator.SetClientSize(800, 600);
  auto out = Run(WindowEvent(SDL_WINDOWEVENT_CLOSE));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_SYSCOMMAND);
  EXPECT_EQ(out[0].wParam, SC_CLOSE);

  out = Run(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_SIZE);
  EXPECT_EQ(out[0].wParam, SIZE_MINIMIZED);
  out = Run(WindowEvent(SDL_WINDOWEVENT_RESTORED));
  EXPECT_EQ(out[0].wParam, SIZE_RESTORED);
  EXPECT_EQ(CoordParamX(out[0].lParam), 800);
  EXPECT_EQ(CoordParamY(out[0].lParam), 600);

  out = Run(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].message, WM_ACTIVATEAPP);
  EXPECT_EQ(out[0].wParam, 1u);
  EXPECT_EQ(out[2].message, WM_SETFOCUS);
  out = Run(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].message, WM_KILLFOCUS);
  EXPECT_EQ(out[2].message, WM_ACTIVATEAPP);
  EXPECT_EQ(out[2].wParam, 0u);

  out = Run(WindowEvent(SDL_WINDOWEVENT_MOVED, -10, 40));
  EXPECT_EQ(out[0].message, WM_MOVE);
  EXPECT_EQ(CoordParamX(out[0].lParam), -10);
  EXPECT_EQ(Run(WindowEvent(SDL_WINDOWEVENT_EXPOSED))[0].message, WM_PAINT);
  EXPECT_EQ(Run(WindowEvent(SDL_WINDOWEVENT_MAXIMIZED))[0].wParam, SC_MAXIMIZE);

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EQ(Run(quit)[0].message, WM_CLOSE);
}

TEST_F(TranslatorTest, FocusLossForgetsHeldButtons) {
  Run(Button(true, SDL_BUTTON_LEFT, 1, 0, 0));
  EXPECT_EQ(translator.KeyState(), MK_LBUTTON);
  Run(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_EQ(translator.KeyState(), 0u);
}

}  // namespace
