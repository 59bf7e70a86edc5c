#pragma once

#include <SDL.h>

#include <cstdlib>

// A hidden 800x600 window on a headless SDL video driver for the duration of a test.
class SdlVideo {
public:
    explicit SdlVideo(const char* driver) {
        setenv("SDL_VIDEODRIVER", driver, 1);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
        window_ = SDL_CreateWindow("test", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
    }
    ~SdlVideo() {
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;

    SDL_Window* Window() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
};
