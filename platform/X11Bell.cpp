#include "platform/X11Bell.h"

#include <X11/Xlib.h>

#include "platform/X11NativeWindow.h"

void X11Bell::Attach(SDL_Window* window) {
  X11NativeWindow native;
  if (X11NativeWindowOf(window, native)) display_ = native.display;
}

// SDL flushes its connection only when it next looks for events, which at exit it never does.
void X11Bell::Ring() const {
  if (display_ == nullptr) return;
  XBell(display_, 0);
  XFlush(display_);
}
