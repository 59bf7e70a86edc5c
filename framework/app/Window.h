#pragma once
// One window of the program bound to an object: window messages become calls of virtual
// operations. The window itself lives in the window backend; this object is its program side.
#include <cstdint>

#include "framework/core/String.h"
#include "platform/WindowBackend.h"

class Window {
public:
  // The executable's picture that is the window's icon.
  static constexpr int32_t kIconId = 50;

  explicit Window(WindowBackend& backend);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The window procedure: dispatches one message and answers its result. While a crash is
  // being reported every message gets the default processing only.
  int64_t HandleMessage(const WindowMessage& message);

  // Creates the window hidden, with a client area of exactly width x height (or full screen),
  // and gives it the icon. False when creation fails or the window was activated before.
  bool Create(int32_t width, int32_t height, bool fullScreen);
  // Destroys the window; the destroy notice posts the quit message.
  void DestroyWindow();
  bool HasHandle() const { return hasHandle_; }
  bool IsAppActive() const { return active_; }

  // Message boxes captioned with the title; the text of the executable's string table.
  int32_t MessageBox(const String& text, uint32_t type);
  int32_t MessageBoxId(int stringId, uint32_t type);
  // Remembers the cursor shown over the window and shows it at once.
  void SetCursor(CursorId cursor);
  CursorId GetCursor() const { return cursor_; }

  WindowBackend& Backend() { return backend_; }
  const WindowBackend& Backend() const { return backend_; }

  // Handlers, in the order of the classic window's operations.
  virtual void ActivateApp(bool active, uint32_t threadId) {}
  virtual bool SysCommand(uint32_t command, int32_t x, int32_t y) { return false; }
  virtual void Close() { DestroyWindow(); }
  virtual void OnDestroyed() {}
  virtual bool Paint(uint64_t wParam) { return false; }
  virtual void KeyDown(uint32_t virtualKey, uint32_t repeat, uint32_t flags) {}
  virtual bool SysChar(uint32_t character, uint32_t repeat, uint32_t flags) { return false; }
  virtual void Char(uint32_t character, uint32_t repeat, uint32_t flags) {}
  virtual void MouseMove(uint32_t keys, int32_t x, int32_t y) {}
  virtual void LButtonDown(uint32_t keys, int32_t x, int32_t y) {}
  virtual void LButtonDblClk(uint32_t keys, int32_t x, int32_t y) {}
  virtual void LButtonUp(uint32_t keys, int32_t x, int32_t y) {}
  virtual void RButtonDown(uint32_t keys, int32_t x, int32_t y) {}
  virtual void RButtonDblClk(uint32_t keys, int32_t x, int32_t y) {}
  virtual void RButtonUp(uint32_t keys, int32_t x, int32_t y) {}
  virtual void Focus(bool gained) {}
  virtual void Timer() {}
  virtual void Move(int32_t x, int32_t y) {}
  virtual void Size(uint32_t sizeType, int32_t width, int32_t height) {}
  virtual void Activate(uint32_t state, bool minimized) {}
  virtual void EnterMenuLoop(bool popup) {}
  virtual void ExitMenuLoop(bool popup) {}
  virtual void EnterSizeMove() {}
  virtual void ExitSizeMove() {}
  // -2: the default processing answers.
  virtual int32_t NcHitTest(int32_t x, int32_t y) { return kDefaultHitTest; }
  virtual int64_t QuerySuspend(int64_t lParam) { return 1; }
  virtual int64_t ResumeSuspend(int64_t lParam) { return 1; }

  static constexpr int32_t kDefaultHitTest = -2;

private:
  // What the desktop does with a message the window leaves alone.
  int64_t DefaultProcessing(const WindowMessage& message);

  WindowBackend& backend_;
  bool hasHandle_ = false;
  bool activatedOnce_ = false;
  bool active_ = false;
  CursorId cursor_ = 0;
};
