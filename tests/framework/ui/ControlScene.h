#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "UiHarness.h"

// A started manager for controls: register images on `h.display`, then `Show` one screen "S" at
// origin (0, 0) built by a function; it is drawn once. The pointer is driven the way the window
// drives it: the scripted cursor follows every event so the manager's re-tests see the same place.
struct ControlScene {
    UiHarness h;
    ProbeScreen* screen = nullptr;

    void Show(std::function<void(ProbeScreen&)> build) {
        screen = h.NewScreen("S");
        screen->build = std::move(build);
        h.window.cursorX = 799;
        h.window.cursorY = 599;
        h.manager.PushScreen(screen, false, false, false);
        h.Frames(1);
        h.log.clear();
        h.sound.calls.clear();
    }

    void Move(int32_t x, int32_t y) {
        h.window.cursorX = x;
        h.window.cursorY = y;
        h.manager.OnMouseMove(0, x, y);
    }
    void Press(int32_t x, int32_t y) {
        Move(x, y);
        h.manager.OnLButtonDown(kKeyLButton, x, y);
    }
    void Release(int32_t x, int32_t y) {
        Move(x, y);
        h.manager.OnLButtonUp(0, x, y);
    }
    void Click(int32_t x, int32_t y) {
        Press(x, y);
        Release(x, y);
    }
    // Draws a fresh frame and answers the draws of image `id` in it.
    std::vector<RecordingDisplay::Draw> Drawn(int32_t id) {
        h.manager.MarkDirty();
        h.Frames(1);
        return h.display.ImagesIn(h.display.LastFrame(), id);
    }
    // The strip frame index of the single draw of image `id` in a fresh frame, or -1.
    int32_t FrameShown(int32_t id, int32_t frameWidth) {
        auto draws = Drawn(id);
        if (draws.size() != 1 || !draws[0].hasSource || frameWidth < 1) return -1;
        return draws[0].source.left / frameWidth;
    }
    int Commands(int32_t id) const { return h.Count("S:Command " + std::to_string(id)); }
    int Sounds(int32_t id) const {
        std::string line = "PlaySound " + std::to_string(id);
        int n = 0;
        for (const std::string& call : h.sound.calls) n += call == line;
        return n;
    }
};
