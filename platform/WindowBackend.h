#pragma once
// The narrow window service the framework runs on: one main window, its messages in the classic
// desktop message set (see WindowMessages.h), cursors, capture, message boxes, the bell, the frame
// timer, the millisecond clock and links. One implementation runs on SDL, one scripts everything
// for tests. Texts passed in and out are in the program's 8-bit code page (Windows-1252).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct WindowMessage {
  uint32_t message = 0;
  uint64_t wParam = 0;
  int64_t lParam = 0;
};

// Cursor shapes the system provides.
enum class SystemCursor { Arrow, Hand, IBeam, Wait };

// 0 is "no cursor": the pointer is hidden over the window.
using CursorId = uint32_t;

class WindowBackend {
public:
  virtual ~WindowBackend() = default;

  // Wrapping 32-bit millisecond clock and a sleep on it.
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;

  // The main window, created hidden with a client area of exactly width x height, or covering
  // the screen. False when it cannot be created or one exists already.
  virtual bool CreateMainWindow(std::string_view title, int32_t width, int32_t height,
                                bool fullScreen) = 0;
  virtual void DestroyMainWindow() = 0;
  virtual bool HasWindow() const = 0;
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;
  // Brings the window to the front, restoring it when minimised.
  virtual void Raise() = 0;
  virtual bool IsMinimized() const = 0;
  // Full screen at the given size (0 x 0: the desktop's), or back to the window. True when the
  // request was made, which the window manager may still refuse or not carry out in time.
  virtual bool SetFullScreen(bool on, int32_t width, int32_t height) = 0;
  // Whether the window covers its screen now.
  virtual bool IsFullScreen() const = 0;
  virtual void GetClientSize(int32_t& width, int32_t& height) const = 0;
  // The desktop's size and colour depth; false when no display is known.
  virtual bool GetDesktopMode(int32_t& width, int32_t& height, int32_t& bitsPerPixel) const = 0;

  // Messages. PeekMessage answers at once; WaitMessage blocks until one is there. Posted and
  // input messages come first, then WM_QUIT (wParam = exit code) once posted, then the frame
  // timer's WM_TIMER.
  virtual bool PeekMessage(WindowMessage& message) = 0;
  virtual void WaitMessage(WindowMessage& message) = 0;
  // Rests until a message is there to take or the time has passed, whichever comes first; it
  // takes nothing.
  virtual void WaitForMessage(uint32_t milliseconds) = 0;
  virtual void PostMessage(const WindowMessage& message) = 0;
  virtual void PostQuit(int32_t exitCode) = 0;
  // One repeating timer: WM_TIMER with wParam = id every interval while nothing else waits.
  virtual void SetTimer(uint32_t id, uint32_t intervalMs) = 0;
  virtual void KillTimer(uint32_t id) = 0;

  // Pointer and keys.
  virtual void GetCursorPos(int32_t& x, int32_t& y) const = 0;
  virtual bool IsPointerInWindow() const = 0;
  // MK_* flags of the buttons and modifiers held now.
  virtual uint32_t GetKeyState() const = 0;
  virtual bool IsKeyDown(uint32_t virtualKey) const = 0;
  virtual void SetCapture(bool on) = 0;

  // Cursors: made once, shown by id. A colour cursor takes 32-bit pixels (blue, green, red,
  // alpha) in top-down rows; 0 when it cannot be made.
  virtual CursorId LoadSystemCursor(SystemCursor shape) = 0;
  virtual CursorId CreateColorCursor(const uint8_t* pixels, int32_t width, int32_t height,
                                     int32_t hotX, int32_t hotY) = 0;
  virtual void SetCursor(CursorId cursor) = 0;
  // The main window's icon, from pixels laid out as a colour cursor's.
  virtual void SetWindowIcon(const uint8_t* pixels, int32_t width, int32_t height) = 0;

  // A modal box owned by nobody; type and answer as MB_* and ID*.
  virtual int32_t MessageBox(std::string_view text, std::string_view caption, uint32_t type) = 0;
  // The desktop's bell, rung before a question that wants the player's attention. It rings also
  // once the main window is gone, as at exit.
  virtual void Beep() = 0;

  virtual bool GetClipboardText(std::string& text) = 0;
  virtual bool SetClipboardText(std::string_view text) = 0;

  // Opens an http or https address in the desktop's browser, without a shell.
  virtual bool OpenLink(std::string_view url) = 0;

  // What a quit keeps, run when the display goes away under the program, which then ends at once
  // with a non-zero status. It may make no window-system call. Null keeps nothing.
  virtual void SetDisplayLostKeeper(std::function<void()> keeper) = 0;
};
