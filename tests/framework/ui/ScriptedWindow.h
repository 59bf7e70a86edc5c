#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ui/ManagerWindow.h"

// A main window whose pointer, keys and answers the test sets, and which remembers what the
// manager asked of it.
class ScriptedWindow : public ManagerWindow {
public:
    bool hasHandle = true;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    bool pointerOver = true;
    uint32_t keyState = 0;
    std::vector<int32_t> systemCursors;
    bool mouseCaptured = false;
    uint32_t timerInterval = 0;
    bool timerRunning = false;
    bool quitRequested = false;
    bool hasClipboard = true;
    std::string clipboard;

    bool HasHandle() const override { return hasHandle; }
    void GetCursorPos(int32_t& x, int32_t& y) const override {
        x = cursorX;
        y = cursorY;
    }
    bool IsPointerOverWindow() const override { return pointerOver; }
    uint32_t GetKeyState() const override { return keyState; }
    void SetSystemCursor(int32_t kind) override { systemCursors.push_back(kind); }
    void SetMouseCapture(bool on) override { mouseCaptured = on; }
    void StartFrameTimer(uint32_t intervalMs) override {
        timerInterval = intervalMs;
        timerRunning = true;
    }
    void StopFrameTimer() override { timerRunning = false; }
    void RequestQuit() override { quitRequested = true; }
    bool GetClipboardText(std::string& text) override {
        if (!hasClipboard) return false;
        text = clipboard;
        return true;
    }
    bool SetClipboardText(std::string_view text) override {
        if (!hasClipboard) return false;
        clipboard = text;
        return true;
    }
};
