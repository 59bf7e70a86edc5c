#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the screen manager needs of the main window and the desktop around it. The application
// shell implements it over the real window; tests script it.
class ManagerWindow {
public:
    // Besides the cursor kinds: kNone hides the system cursor, kSystemArrow shows the desktop's
    // own arrow (the pointer is outside the game's picture).
    static constexpr int32_t kNone = -1;
    static constexpr int32_t kSystemArrow = -2;

    virtual ~ManagerWindow() = default;

    virtual bool HasHandle() const = 0;
    // Pointer position in client coordinates (unscaled).
    virtual void GetCursorPos(int32_t& x, int32_t& y) const = 0;
    // Whether the topmost window under the pointer is this one.
    virtual bool IsPointerOverWindow() const = 0;
    // Mouse buttons and modifiers now: 1 left, 2 right, 4 Shift, 8 Control, 16 middle.
    virtual uint32_t GetKeyState() const = 0;

    // Cursor kinds 0..4 (normal, hand, I-beam, special, wait), kNone or kSystemArrow.
    virtual void SetSystemCursor(int32_t kind) = 0;
    virtual void SetMouseCapture(bool on) = 0;

    // The repeating frame timer that keeps frames running inside modal loops.
    virtual void StartFrameTimer(uint32_t intervalMs) = 0;
    virtual void StopFrameTimer() = 0;

    // Ends the application (a display-mode switch that failed).
    virtual void RequestQuit() = 0;

    // The desktop clipboard's text in the program's 8-bit code page. A window without a clipboard
    // answers false: nothing to paste, nothing copied.
    virtual bool GetClipboardText(std::string& text) { return false; }
    virtual bool SetClipboardText(std::string_view text) { return false; }
};
