#pragma once
// The game's only window: input, timer, size and focus go to the screen manager, and the rules
// for full screen, closing and the system menu apply here. It is also the window the screen
// manager drives (cursor, capture, frame timer).
#include <array>

#include "framework/app/Window.h"
#include "framework/ui/ManagerWindow.h"

class Application;
class ScreenManager;

class MainWindow : public Window, public ManagerWindow {
public:
  MainWindow(WindowBackend& backend, Application& application);
  ~MainWindow() override;

  // Binds the screen manager, then creates the window.
  bool Create(ScreenManager* screenManager, int32_t width, int32_t height, bool fullScreen);
  bool IsFullScreen() const;

  // Window.
  bool SysCommand(uint32_t command, int32_t x, int32_t y) override;
  void Close() override;
  bool Paint(uint64_t wParam) override;
  void KeyDown(uint32_t virtualKey, uint32_t repeat, uint32_t flags) override;
  bool SysChar(uint32_t character, uint32_t repeat, uint32_t flags) override;
  void Char(uint32_t character, uint32_t repeat, uint32_t flags) override;
  void MouseMove(uint32_t keys, int32_t x, int32_t y) override;
  void LButtonDown(uint32_t keys, int32_t x, int32_t y) override;
  void LButtonDblClk(uint32_t keys, int32_t x, int32_t y) override;
  void LButtonUp(uint32_t keys, int32_t x, int32_t y) override;
  void RButtonDown(uint32_t keys, int32_t x, int32_t y) override;
  void RButtonDblClk(uint32_t keys, int32_t x, int32_t y) override;
  void RButtonUp(uint32_t keys, int32_t x, int32_t y) override;
  void Focus(bool gained) override;
  void Timer() override;
  void Move(int32_t x, int32_t y) override;
  void Size(uint32_t sizeType, int32_t width, int32_t height) override;
  int32_t NcHitTest(int32_t x, int32_t y) override;

  // ManagerWindow.
  bool HasHandle() const override { return Window::HasHandle(); }
  void GetCursorPos(int32_t& x, int32_t& y) const override;
  bool IsPointerOverWindow() const override;
  uint32_t GetKeyState() const override;
  void SetSystemCursor(int32_t kind) override;
  void SetMouseCapture(bool on) override;
  void StartFrameTimer(uint32_t intervalMs) override;
  void StopFrameTimer() override;
  void RequestQuit() override;

private:
  CursorId CursorFor(int32_t kind);
  CursorId MakeCursor(int32_t kind);

  Application& application_;
  ScreenManager* screenManager_ = nullptr;
  // Cursors by kind (normal, hand, I-beam, special, wait), made on first use.
  std::array<CursorId, 5> cursors_{};
  CursorId systemArrow_ = 0;
};
