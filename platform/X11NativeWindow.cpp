#include "platform/X11NativeWindow.h"

#include <SDL_syswm.h>

bool X11NativeWindowOf(SDL_Window* window, X11NativeWindow& native) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  native.display = info.info.x11.display;
  native.window = info.info.x11.window;
  return true;
}
