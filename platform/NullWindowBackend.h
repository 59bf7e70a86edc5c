#pragma once
// A window backend without a display, for tests: a clock moved by hand (Sleep moves it too),
// messages scripted by the test, message boxes recorded and answered from a script.
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageQueue.h"
#include "platform/WindowBackend.h"

class NullWindowBackend : public WindowBackend {
public:
  struct RecordedBox {
    std::string text;
    std::string caption;
    uint32_t type = 0;
    int32_t bellsBefore = 0;       // bells rung before the box came
  };
  struct RecordedCursor {
    CursorId id = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t hotX = 0;
    int32_t hotY = 0;
  };

  // Test controls.
  void SetTicks(uint32_t now) { now_ = now; }
  void Advance(uint32_t milliseconds) { now_ += milliseconds; }
  // Every Sleep, in order.
  const std::vector<uint32_t>& Sleeps() const { return sleeps_; }
  // Answers for the next message boxes; without one a box answers its first button.
  void ScriptAnswer(int32_t answer) { answers_.push_back(answer); }
  const std::vector<RecordedBox>& Boxes() const { return boxes_; }
  void SetDesktop(int32_t width, int32_t height, int32_t bitsPerPixel);
  void SetCreateFails(bool fails) { createFails_ = fails; }
  void SetFullScreenFails(bool fails) { fullScreenFails_ = fails; }
  void SetKeyDown(uint32_t virtualKey, bool down);
  void SetKeyState(uint32_t state) { keyState_ = state; }
  void SetCursorPos(int32_t x, int32_t y) { cursorX_ = x, cursorY_ = y; }
  void SetMinimized(bool minimized) { minimized_ = minimized; }
  bool IsShown() const { return shown_; }
  int32_t RaiseCount() const { return raises_; }
  bool HasCapture() const { return capture_; }
  CursorId CurrentCursor() const { return cursor_; }
  // The colour cursor made as `id`; null for a system cursor or none.
  const RecordedCursor* ColorCursor(CursorId id) const;
  // The window icon's size; 0 x 0 while none is set.
  int32_t IconWidth() const { return iconWidth_; }
  int32_t IconHeight() const { return iconHeight_; }
  const std::vector<std::string>& OpenedLinks() const { return links_; }
  const std::string& Title() const { return title_; }
  // Called at the start of every PeekMessage with its running number (from 0): the test's way
  // to spend time between frames or to send input while a loop runs.
  void SetPeekHook(std::function<void(uint32_t)> hook) { peekHook_ = std::move(hook); }
  // Runs the keeper of a lost display, as the display's end would, and leaves the rest running.
  void LoseDisplay() const {
    if (displayLostKeeper_) displayLostKeeper_();
  }
  // True once WaitMessage found nothing scripted and no timer: it then answered WM_QUIT.
  bool Starved() const { return starved_; }

  uint32_t Ticks() override { return now_; }
  void Sleep(uint32_t milliseconds) override;

  bool CreateMainWindow(std::string_view title, int32_t width, int32_t height, bool fullScreen) override;
  void DestroyMainWindow() override;
  bool HasWindow() const override { return window_; }
  void ShowWindow() override { shown_ = true; }
  void HideWindow() override { shown_ = false; }
  void Raise() override;
  bool IsMinimized() const override { return minimized_; }
  bool SetFullScreen(bool on, int32_t width, int32_t height) override;
  bool IsFullScreen() const override { return fullScreen_; }
  void GetClientSize(int32_t& width, int32_t& height) const override;
  bool GetDesktopMode(int32_t& width, int32_t& height, int32_t& bitsPerPixel) const override;

  bool PeekMessage(WindowMessage& message) override;
  void WaitMessage(WindowMessage& message) override;
  // Nothing arrives while a test's loop rests, so the rest is a Sleep unless a message waits.
  void WaitForMessage(uint32_t milliseconds) override;
  void PostMessage(const WindowMessage& message) override { queue_.Post(message); }
  void PostQuit(int32_t exitCode) override { queue_.PostQuit(exitCode); }
  void SetTimer(uint32_t id, uint32_t intervalMs) override { queue_.SetTimer(id, intervalMs, now_); }
  void KillTimer(uint32_t id) override { queue_.KillTimer(id); }

  void GetCursorPos(int32_t& x, int32_t& y) const override;
  bool IsPointerInWindow() const override;
  uint32_t GetKeyState() const override { return keyState_; }
  bool IsKeyDown(uint32_t virtualKey) const override { return keysDown_.count(virtualKey) != 0; }
  void SetCapture(bool on) override { capture_ = on; }

  CursorId LoadSystemCursor(SystemCursor shape) override;
  CursorId CreateColorCursor(const uint8_t* pixels, int32_t width, int32_t height, int32_t hotX,
                             int32_t hotY) override;
  void SetCursor(CursorId cursor) override { cursor_ = cursor; }
  void SetWindowIcon(const uint8_t* pixels, int32_t width, int32_t height) override;

  int32_t MessageBox(std::string_view text, std::string_view caption, uint32_t type) override;
  void Beep() override { ++bells_; }

  bool GetClipboardText(std::string& text) override;
  bool SetClipboardText(std::string_view text) override;
  bool OpenLink(std::string_view url) override;
  void SetDisplayLostKeeper(std::function<void()> keeper) override { displayLostKeeper_ = std::move(keeper); }

private:
  uint32_t now_ = 0;
  std::function<void(uint32_t)> peekHook_;
  std::function<void()> displayLostKeeper_;
  uint32_t peeks_ = 0;
  std::vector<uint32_t> sleeps_;
  MessageQueue queue_;
  std::deque<int32_t> answers_;
  std::vector<RecordedBox> boxes_;
  int32_t bells_ = 0;
  std::string title_;
  bool window_ = false;
  bool shown_ = false;
  bool minimized_ = false;
  bool fullScreen_ = false;
  bool createFails_ = false;
  bool fullScreenFails_ = false;
  bool capture_ = false;
  bool starved_ = false;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t windowedWidth_ = 0;
  int32_t windowedHeight_ = 0;
  int32_t desktopWidth_ = 1024;
  int32_t desktopHeight_ = 768;
  int32_t desktopBits_ = 32;
  int32_t raises_ = 0;
  int32_t cursorX_ = 0;
  int32_t cursorY_ = 0;
  uint32_t keyState_ = 0;
  std::set<uint32_t> keysDown_;
  CursorId cursor_ = 0;
  CursorId nextCursor_ = 1;
  std::vector<RecordedCursor> colorCursors_;
  int32_t iconWidth_ = 0;
  int32_t iconHeight_ = 0;
  std::string clipboard_;
  bool clipboardSet_ = false;
  std::vector<std::string> links_;
};
