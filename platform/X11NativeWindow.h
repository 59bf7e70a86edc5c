#pragma once
// The X connection and window behind an SDL window, for the few requests SDL does not make.
#include <SDL.h>

struct _XDisplay;

struct X11NativeWindow {
  _XDisplay* display = nullptr;
  unsigned long window = 0;  // an X window id
};

// False when `window` is null or belongs to another video driver.
bool X11NativeWindowOf(SDL_Window* window, X11NativeWindow& native);
