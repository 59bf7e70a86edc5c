#pragma once
// Whether a window manager runs on the X server of an SDL window: full screen there is a request
// to it, and with none nothing ever carries the request out.
#include <SDL.h>

// True only for an X11 window on a server where no window manager announces itself.
bool X11WithoutWindowManager(SDL_Window* window);
