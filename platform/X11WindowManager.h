#pragma once
// What the window manager on the X server of an SDL window does with it: full screen there is a
// request to it, with none nothing ever carries the request out, and it may change the window's
// state (maximise, full screen) of its own accord.
#include <SDL.h>

// True only for an X11 window on a server where no window manager announces itself.
bool X11WithoutWindowManager(SDL_Window* window);

// True when the window manager's state of an X11 window lists the named one, such as
// "_NET_WM_STATE_FULLSCREEN".
bool X11WindowManagerState(SDL_Window* window, const char* state);

// True when `event` is SDL's hand-over of the X server's word that the window manager's state of
// `window` changed (SDL hands X events over once SDL_SYSWMEVENT is enabled); `serial` is then the
// number of the program's last request the server had taken when the change came.
bool X11WindowManagerStateChanged(const SDL_Event& event, SDL_Window* window, unsigned long& serial);

// The number the program's next request to the X server of `window` will carry; 0 without one.
unsigned long X11NextRequestNumber(SDL_Window* window);
