#pragma once
// The size an SDL window really has on the X server. SDL takes a full-screen request as done
// and reports the screen's size at once, even when no window manager carries it out.
#include <SDL.h>

#include <cstdint>

// False when the window is not an X11 window.
bool X11WindowSize(SDL_Window* window, int32_t& width, int32_t& height);
