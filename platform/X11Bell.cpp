#include "platform/X11Bell.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

void X11Bell::Attach(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  display_ = info.info.x11.display;
}

// SDL flushes its connection only when it next looks for events, which at exit it never does.
void X11Bell::Ring() const {
  if (display_ == nullptr) return;
  XBell(display_, 0);
  XFlush(display_);
}
