#include "platform/X11WindowSize.h"

#include <X11/Xlib.h>

#include "platform/X11NativeWindow.h"

bool X11WindowSize(SDL_Window* window, int32_t& width, int32_t& height) {
  X11NativeWindow native;
  if (!X11NativeWindowOf(window, native)) return false;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(native.display, native.window, &attributes) == 0) return false;
  width = attributes.width;
  height = attributes.height;
  return true;
}
