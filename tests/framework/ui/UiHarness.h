#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "ProbeScreen.h"
#include "ProbeWidget.h"
#include "RecordingDisplay.h"
#include "RecordingSound.h"
#include "ScriptedWindow.h"
#include "framework/ui/ScreenManager.h"

// A started screen manager on a recording display, a fake clock and a scripted window.
struct UiHarness {
    std::vector<std::string> log;  // first, so it outlives the screens that write into it
    RecordingDisplay display;
    FakeClock clock;
    ScriptedWindow window;
    RecordingSound sound;
    ScreenManager manager{display, clock, &sound};

    explicit UiHarness(bool start = true) {
        if (start) manager.Start(&window, false, 25);
    }

    ProbeScreen* NewScreen(const std::string& name) { return new ProbeScreen(&log, name); }
    ProbeWidget* NewWidget(const std::string& name, int32_t width, int32_t height) {
        return new ProbeWidget(&log, name, width, height);
    }
    // A screen that builds itself with the one widget at (x, y).
    ProbeScreen* ScreenWith(const std::string& name, ProbeWidget* widget, int32_t x, int32_t y) {
        ProbeScreen* screen = NewScreen(name);
        screen->build = [=](ProbeScreen& s) { s.AddWidget(widget, x, y); };
        return screen;
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) manager.OnFrameTimer();
    }

    bool Logged(const std::string& line) const {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    int Count(const std::string& line) const {
        return static_cast<int>(std::count(log.begin(), log.end(), line));
    }
    // Position of the first occurrence, or -1.
    int IndexOf(const std::string& line) const {
        auto it = std::find(log.begin(), log.end(), line);
        return it == log.end() ? -1 : static_cast<int>(it - log.begin());
    }
};
