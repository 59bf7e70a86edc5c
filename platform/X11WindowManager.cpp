#include "platform/X11WindowManager.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/X11NativeWindow.h"

// A window manager of the desktop standard names its check window on the root window. Only the
// root's record is read: asking the named window itself would end the program by X's error
// handler were it gone, and a manager that went away leaves the wait to its bound.
bool X11WithoutWindowManager(SDL_Window* window) {
  X11NativeWindow native;
  if (!X11NativeWindowOf(window, native)) return false;
  Display* display = native.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return true;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, native.window, &attributes) == 0) return false;
  const int status = XGetWindowProperty(display, attributes.root, check, 0, 1, False, XA_WINDOW, &type, &format,
                                        &count, &after, &data);
  const bool named = status == Success && type == XA_WINDOW && count == 1;
  if (data != nullptr) XFree(data);
  return !named;
}

bool X11WindowManagerState(SDL_Window* window, const char* state) {
  X11NativeWindow native;
  if (!X11NativeWindowOf(window, native)) return false;
  Display* display = native.display;
  const Atom states = XInternAtom(display, "_NET_WM_STATE", True);
  const Atom wanted = XInternAtom(display, state, True);
  if (states == None || wanted == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  bool listed = false;
  if (XGetWindowProperty(display, native.window, states, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
          Success &&
      type == XA_ATOM && format == 32) {
    // Xlib hands 32-bit items over as longs.
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !listed; ++i) listed = atoms[i] == wanted;
  }
  if (data != nullptr) XFree(data);
  return listed;
}

bool X11WindowManagerStateChanged(const SDL_Event& event, SDL_Window* window, unsigned long& serial) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr || event.syswm.msg->subsystem != SDL_SYSWM_X11)
    return false;
  const XEvent& x = event.syswm.msg->msg.x11.event;
  X11NativeWindow native;
  if (x.type != PropertyNotify || !X11NativeWindowOf(window, native) || x.xproperty.window != native.window ||
      x.xproperty.atom != XInternAtom(native.display, "_NET_WM_STATE", True))
    return false;
  serial = x.xproperty.serial;
  return true;
}

unsigned long X11NextRequestNumber(SDL_Window* window) {
  X11NativeWindow native;
  return X11NativeWindowOf(window, native) ? NextRequest(native.display) : 0;
}
