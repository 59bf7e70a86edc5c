#include "platform/X11WindowSize.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

bool X11WindowSize(SDL_Window* window, int32_t& width, int32_t& height) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes) == 0) return false;
  width = attributes.width;
  height = attributes.height;
  return true;
}
