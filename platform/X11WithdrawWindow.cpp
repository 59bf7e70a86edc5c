#include "platform/X11WithdrawWindow.h"

#include <X11/Xlib.h>

namespace {
// The window's owner may have destroyed it: Xlib's default answer to the error ends the process.
int IgnoreError(Display*, XErrorEvent*) { return 0; }
}  // namespace

void X11WithdrawWindow(unsigned long window) {
  if (window == 0) return;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  const auto previous = XSetErrorHandler(IgnoreError);
  XWithdrawWindow(display, window, DefaultScreen(display));
  XSync(display, False);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
}
