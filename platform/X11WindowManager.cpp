#include "platform/X11WindowManager.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

// A window manager of the desktop standard names its check window on the root window. Only the
// root's record is read: asking the named window itself would end the program by X's error
// handler were it gone, and a manager that went away leaves the wait to its bound.
bool X11WithoutWindowManager(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return true;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, info.info.x11.window, &attributes) == 0) return false;
  const int status = XGetWindowProperty(display, attributes.root, check, 0, 1, False, XA_WINDOW, &type, &format,
                                        &count, &after, &data);
  const bool named = status == Success && type == XA_WINDOW && count == 1;
  if (data != nullptr) XFree(data);
  return !named;
}
