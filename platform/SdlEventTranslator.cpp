#include "platform/SdlEventTranslator.h"

#include <string>

#include "platform/CodePage.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowMessages.h"

namespace {

WindowMessage Message(uint32_t message, uint64_t wParam, int64_t lParam) {
  return WindowMessage{message, wParam, lParam};
}

uint32_t ButtonFlag(uint8_t button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return MK_LBUTTON;
    case SDL_BUTTON_RIGHT: return MK_RBUTTON;
    case SDL_BUTTON_MIDDLE: return MK_MBUTTON;
    default: return 0;
  }
}

// The character a key makes that text input does not deliver; 0 for none.
uint32_t KeyCharacter(const SDL_Keysym& sym, bool ctrl) {
  switch (sym.scancode) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return ctrl ? 10 : 13;
    case SDL_SCANCODE_BACKSPACE: return ctrl ? 0x7F : 8;
    case SDL_SCANCODE_TAB: return ctrl ? 0 : 9;
    case SDL_SCANCODE_ESCAPE: return 27;
    default: break;
  }
  if (ctrl && sym.sym >= SDLK_a && sym.sym <= SDLK_z) return static_cast<uint32_t>(sym.sym - SDLK_a + 1);
  return 0;
}

}  // namespace

uint32_t SdlEventTranslator::KeyState() const {
  uint32_t state = buttons_;
  if (modifiers_ & KMOD_SHIFT) state |= MK_SHIFT;
  if (modifiers_ & KMOD_CTRL) state |= MK_CONTROL;
  return state;
}

// Alt as a menu key: AltGr (right Alt, or Ctrl with Alt) composes characters instead.
bool SdlEventTranslator::AltOnly() const {
  return (modifiers_ & KMOD_LALT) && !(modifiers_ & (KMOD_CTRL | KMOD_RALT | KMOD_MODE));
}

void SdlEventTranslator::Translate(const SDL_Event& event, std::vector<WindowMessage>& out) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key, out);
      break;
    case SDL_TEXTINPUT:
      TranslateText(event.text.text, out);
      break;
    case SDL_MOUSEMOTION:
      out.push_back(Message(WM_MOUSEMOVE, KeyState(), MakeCoordParam(event.motion.x, event.motion.y)));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(event.button, out);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindow(event.window, out);
      break;
    case SDL_QUIT:
      out.push_back(Message(WM_CLOSE, 0, 0));
      break;
    default:
      break;
  }
}

void SdlEventTranslator::TranslateKey(const SDL_KeyboardEvent& key, std::vector<WindowMessage>& out) {
  modifiers_ = key.keysym.mod;
  const bool down = key.type == SDL_KEYDOWN;
  const uint32_t vk = VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
  uint32_t flags = static_cast<uint32_t>(key.keysym.scancode) & 0xFF;
  if (IsExtendedKey(key.keysym.scancode)) flags |= KF_EXTENDED;
  const bool alt = AltOnly();
  if (alt) flags |= KF_ALTDOWN;
  if (!down) flags |= KF_UP | KF_REPEAT;
  else if (key.repeat) flags |= KF_REPEAT;
  if (vk != 0) {
    const uint32_t message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    out.push_back(Message(message, vk, MakeKeyParam(1, flags)));
  }
  if (!down) return;
  const bool ctrl = (modifiers_ & KMOD_CTRL) && !(modifiers_ & KMOD_ALT);
  if (alt && key.keysym.scancode == SDL_SCANCODE_F4) {
    out.push_back(Message(WM_SYSCOMMAND, SC_CLOSE, 0));
    return;
  }
  const uint32_t character = KeyCharacter(key.keysym, ctrl);
  if (character != 0) out.push_back(Message(alt ? WM_SYSCHAR : WM_CHAR, character, MakeKeyParam(1, flags)));
}

void SdlEventTranslator::TranslateText(const char* utf8, std::vector<WindowMessage>& out) const {
  std::string converted;
  Utf8ToCp1252(utf8, &converted, '\0');
  const bool alt = AltOnly();
  const uint32_t flags = alt ? KF_ALTDOWN : 0;
  for (char c : converted) {
    const auto byte = static_cast<unsigned char>(c);
    // Characters with no place in the code page are dropped; control characters come from
    // key events, never from text input.
    if (byte < 0x20 || byte == 0x7F) continue;
    out.push_back(Message(alt ? WM_SYSCHAR : WM_CHAR, byte, MakeKeyParam(1, flags)));
  }
}

void SdlEventTranslator::TranslateButton(const SDL_MouseButtonEvent& button,
                                         std::vector<WindowMessage>& out) {
  const uint32_t flag = ButtonFlag(button.button);
  const bool down = button.type == SDL_MOUSEBUTTONDOWN;
  if (down) buttons_ |= flag;
  else buttons_ &= ~flag;
  const int64_t where = MakeCoordParam(button.x, button.y);
  // The second click of a pair is a double click; a third starts a new pair.
  const bool doubled = down && button.clicks >= 2 && button.clicks % 2 == 0;
  uint32_t message = 0;
  if (flag == MK_LBUTTON) message = down ? (doubled ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
  else if (flag == MK_RBUTTON) message = down ? (doubled ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
  if (message != 0) out.push_back(Message(message, KeyState(), where));
}

void SdlEventTranslator::TranslateWindow(const SDL_WindowEvent& window, std::vector<WindowMessage>& out) {
  switch (window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
      out.push_back(Message(WM_PAINT, 0, 0));
      break;
    case SDL_WINDOWEVENT_MOVED:
      out.push_back(Message(WM_MOVE, 0, MakeCoordParam(window.data1, window.data2)));
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      width_ = window.data1;
      height_ = window.data2;
      out.push_back(Message(WM_SIZE, SIZE_RESTORED, MakeCoordParam(width_, height_)));
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      out.push_back(Message(WM_SIZE, SIZE_MINIMIZED, 0));
      break;
    case SDL_WINDOWEVENT_RESTORED:
      out.push_back(Message(WM_SIZE, SIZE_RESTORED, MakeCoordParam(width_, height_)));
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      // The window keeps its size; a request to maximise is the system command.
      out.push_back(Message(WM_SYSCOMMAND, SC_MAXIMIZE, 0));
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.push_back(Message(WM_ACTIVATEAPP, 1, 0));
      out.push_back(Message(WM_ACTIVATE, WA_ACTIVE, 0));
      out.push_back(Message(WM_SETFOCUS, 0, 0));
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      buttons_ = 0;
      out.push_back(Message(WM_KILLFOCUS, 0, 0));
      out.push_back(Message(WM_ACTIVATE, WA_INACTIVE, 0));
      out.push_back(Message(WM_ACTIVATEAPP, 0, 0));
      break;
    case SDL_WINDOWEVENT_CLOSE:
      out.push_back(Message(WM_SYSCOMMAND, SC_CLOSE, 0));
      break;
    default:
      break;
  }
}
