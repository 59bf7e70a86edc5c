#pragma once
// Turns SDL events into the window messages the framework handles. Keeps the little state the
// messages need that single events do not carry: modifiers, held buttons, the client size.
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/WindowBackend.h"

class SdlEventTranslator {
public:
  // Appends the messages of one event to `out` (none for events the framework has no use for).
  void Translate(const SDL_Event& event, std::vector<WindowMessage>& out);

  // MK_* flags of the buttons held and the modifiers last reported.
  uint32_t KeyState() const;
  void SetClientSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
  }

private:
  void TranslateKey(const SDL_KeyboardEvent& key, std::vector<WindowMessage>& out);
  void TranslateText(const char* utf8, std::vector<WindowMessage>& out) const;
  void TranslateButton(const SDL_MouseButtonEvent& button, std::vector<WindowMessage>& out);
  void TranslateWindow(const SDL_WindowEvent& window, std::vector<WindowMessage>& out);
  bool AltOnly() const;

  uint16_t modifiers_ = 0;
  uint32_t buttons_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
};
