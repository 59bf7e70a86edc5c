#pragma once
// The window backend on SDL2: one window, SDL events translated into window messages.
#include <SDL.h>

#include <deque>
#include <map>
#include <vector>

#include "platform/MessageQueue.h"
#include "platform/SdlEventTranslator.h"
#include "platform/WindowBackend.h"
#include "platform/X11Bell.h"

class SdlWindowBackend : public WindowBackend {
public:
  SdlWindowBackend();
  ~SdlWindowBackend() override;
  SdlWindowBackend(const SdlWindowBackend&) = delete;
  SdlWindowBackend& operator=(const SdlWindowBackend&) = delete;

  // False when SDL has no video driver; the backend still keeps time and answers message boxes
  // on the standard error stream.
  bool HasVideo() const { return video_; }
  // The SDL window, for the display device; null without one.
  SDL_Window* NativeWindow() const { return window_; }

  uint32_t Ticks() override;
  void Sleep(uint32_t milliseconds) override;

  bool CreateMainWindow(std::string_view title, int32_t width, int32_t height, bool fullScreen) override;
  void DestroyMainWindow() override;
  bool HasWindow() const override { return window_ != nullptr; }
  void ShowWindow() override;
  void HideWindow() override;
  void Raise() override;
  bool IsMinimized() const override;
  bool SetFullScreen(bool on, int32_t width, int32_t height) override;
  bool IsFullScreen() const override;
  void GetClientSize(int32_t& width, int32_t& height) const override;
  bool GetDesktopMode(int32_t& width, int32_t& height, int32_t& bitsPerPixel) const override;

  bool PeekMessage(WindowMessage& message) override;
  void WaitMessage(WindowMessage& message) override;
  void WaitForMessage(uint32_t milliseconds) override;
  void PostMessage(const WindowMessage& message) override { queue_.Post(message); }
  void PostQuit(int32_t exitCode) override { queue_.PostQuit(exitCode); }
  void SetTimer(uint32_t id, uint32_t intervalMs) override { queue_.SetTimer(id, intervalMs, Ticks()); }
  void KillTimer(uint32_t id) override { queue_.KillTimer(id); }

  void GetCursorPos(int32_t& x, int32_t& y) const override;
  bool IsPointerInWindow() const override;
  uint32_t GetKeyState() const override;
  bool IsKeyDown(uint32_t virtualKey) const override;
  void SetCapture(bool on) override;

  CursorId LoadSystemCursor(SystemCursor shape) override;
  CursorId CreateColorCursor(const uint8_t* pixels, int32_t width, int32_t height, int32_t hotX,
                             int32_t hotY) override;
  void SetCursor(CursorId cursor) override;
  void SetWindowIcon(const uint8_t* pixels, int32_t width, int32_t height) override;

  int32_t MessageBox(std::string_view text, std::string_view caption, uint32_t type) override;
  void Beep() override { bell_.Ring(); }

  bool GetClipboardText(std::string& text) override;
  bool SetClipboardText(std::string_view text) override;
  bool OpenLink(std::string_view url) override;
  // Kept for the X video driver alone, the one whose connection can be lost.
  void SetDisplayLostKeeper(std::function<void()> keeper) override;

private:
  void Pump();
  // The size the window really has, which SDL's own record of it may not be.
  void RealSize(int32_t& width, int32_t& height) const;
  void Translate(const SDL_Event& event);
  // A window not in full screen keeps its windowed size, whatever the window manager made of it,
  // unless the window manager holds it in full screen.
  void FollowWindowManager(const SDL_WindowEvent& event);
  // Whether the window manager lists full screen for the window now.
  bool ManagerFullScreen() const;
  // Keeps a full-screen request of the game's until the window manager answers it or its wait
  // runs out, unless the manager's state will already be the one asked for.
  void AskManager(bool fullScreen);
  // Drops the oldest requests while their wait has run out; one behind waits as long, as the
  // window manager answers in order.
  void ForgetUnansweredRequests();
  // The window manager's full screen, followed as its state changes (`serial`: the number of the
  // last request the X server had taken when it did). A change that the oldest waiting request
  // asked for is its answer, however slow the manager; any other change away from the game's own
  // full screen is the manager's (its key, a tiling layout), which goes to the game as a maximise
  // or a leave of full screen.
  void FollowManagerState(unsigned long serial);

  bool video_ = false;
  // SDL's video runs on an X server, with our handlers of its errors in force.
  bool x11_ = false;
  SDL_Window* window_ = nullptr;
  // Kept from the window, so it rings after the window is gone.
  X11Bell bell_;
  int32_t windowedWidth_ = 0;
  int32_t windowedHeight_ = 0;
  // Full screen as the window manager listed it at its state's last change.
  bool managerListed_ = false;
  // The game's requests that wait for the window manager's answer, oldest first: each asks the
  // opposite of the one before it (the first, of what the manager lists).
  struct ManagerRequest {
    bool fullScreen;
    uint32_t until;
    unsigned long serial;  // the number of its first request to the X server
  };
  std::deque<ManagerRequest> managerRequests_;
  MessageQueue queue_;
  SdlEventTranslator translator_;
  std::vector<WindowMessage> translated_;
  std::map<CursorId, SDL_Cursor*> cursors_;
  CursorId nextCursor_ = 1;
};
