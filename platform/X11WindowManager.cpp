#include "platform/X11WindowManager.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

bool X11Window(SDL_Window* window, Display*& display, Window& x11Window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  x11Window = info.info.x11.window;
  return true;
}

}  // namespace

// A window manager of the desktop standard names its check window on the root window. Only the
// root's record is read: asking the named window itself would end the program by X's error
// handler were it gone, and a manager that went away leaves the wait to its bound.
bool X11WithoutWindowManager(SDL_Window* window) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Window(window, display, x11Window)) return false;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return true;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, x11Window, &attributes) == 0) return false;
  const int status = XGetWindowProperty(display, attributes.root, check, 0, 1, False, XA_WINDOW, &type, &format,
                                        &count, &after, &data);
  const bool named = status == Success && type == XA_WINDOW && count == 1;
  if (data != nullptr) XFree(data);
  return !named;
}

bool X11WindowManagerState(SDL_Window* window, const char* state) {
  Display* display = nullptr;
  Window x11Window = None;
  if (!X11Window(window, display, x11Window)) return false;
  const Atom states = XInternAtom(display, "_NET_WM_STATE", True);
  const Atom wanted = XInternAtom(display, state, True);
  if (states == None || wanted == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  bool listed = false;
  if (XGetWindowProperty(display, x11Window, states, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
          Success &&
      type == XA_ATOM && format == 32) {
    // Xlib hands 32-bit items over as longs.
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !listed; ++i) listed = atoms[i] == wanted;
  }
  if (data != nullptr) XFree(data);
  return listed;
}
