#include "framework/app/MainWindow.h"

#include "framework/app/Application.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/Image.h"
#include "framework/gfx/TopDownPixels.h"
#include "framework/ui/CursorImages.h"
#include "framework/ui/ScreenManager.h"
#include "platform/WindowMessages.h"

MainWindow::MainWindow(WindowBackend& backend, Application& application)
    : Window(backend), application_(application) {}

MainWindow::~MainWindow() = default;

bool MainWindow::Create(ScreenManager* screenManager, int32_t width, int32_t height, bool fullScreen) {
  screenManager_ = screenManager;
  return Window::Create(width, height, fullScreen);
}

bool MainWindow::IsFullScreen() const {
  return screenManager_ != nullptr && screenManager_->GetDisplay().IsFullScreen();
}

bool MainWindow::SysCommand(uint32_t command, int32_t x, int32_t y) {
  switch (command) {
    case SC_CLOSE:
      application_.Quit();
      return true;
    case SC_MAXIMIZE:
      if (!IsFullScreen() && screenManager_ != nullptr) screenManager_->SetFullscreen(true, true);
      return true;
    case SC_RESTORE:
      // The backend's word that the window manager took its full screen away: the game leaves
      // full screen too, as at Esc.
      if (!IsFullScreen()) return false;
      screenManager_->SetFullscreen(false, true);
      return true;
    case SC_SIZE:
    case SC_MOVE:
    case SC_MONITORPOWER:
      return IsFullScreen();
    default:
      return false;
  }
}

void MainWindow::Close() { application_.Quit(); }

bool MainWindow::Paint(uint64_t wParam) {
  if (screenManager_ != nullptr) screenManager_->OnPaint();
  return false;
}

void MainWindow::KeyDown(uint32_t virtualKey, uint32_t repeat, uint32_t flags) {
  if (screenManager_ == nullptr) return;
  // Esc leaves full screen and still reaches the game as a key.
  if (virtualKey == VK_ESCAPE && IsFullScreen()) screenManager_->SetFullscreen(false, true);
  screenManager_->OnKeyDown(virtualKey, static_cast<int32_t>(repeat), flags);
}

bool MainWindow::SysChar(uint32_t character, uint32_t repeat, uint32_t flags) {
  if (character != VK_RETURN || (flags & KF_ALTDOWN) == 0 || screenManager_ == nullptr) return false;
  screenManager_->SetFullscreen(!IsFullScreen(), true);
  return true;
}

void MainWindow::Char(uint32_t character, uint32_t repeat, uint32_t flags) {
  if (screenManager_ != nullptr) screenManager_->OnChar(character, static_cast<int32_t>(repeat), flags);
}

void MainWindow::MouseMove(uint32_t keys, int32_t x, int32_t y) {
  if (screenManager_ != nullptr) screenManager_->OnMouseMove(keys, x, y);
}

void MainWindow::LButtonDown(uint32_t keys, int32_t x, int32_t y) {
  if (screenManager_ != nullptr) screenManager_->OnLButtonDown(keys, x, y);
}

void MainWindow::LButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
  if (screenManager_ != nullptr) screenManager_->OnLButtonDblClk(keys, x, y);
}

void MainWindow::LButtonUp(uint32_t keys, int32_t x, int32_t y) {
  if (screenManager_ != nullptr) screenManager_->OnLButtonUp(keys, x, y);
}

void MainWindow::RButtonDown(uint32_t keys, int32_t x, int32_t y) {
  if (screenManager_ != nullptr) screenManager_->OnRButtonDown(keys, x, y);
}

void MainWindow::RButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
  if (screenManager_ != nullptr) screenManager_->OnRButtonDblClk(keys, x, y);
}

void MainWindow::RButtonUp(uint32_t keys, int32_t x, int32_t y) {
  if (screenManager_ != nullptr) screenManager_->OnRButtonUp(keys, x, y);
}

void MainWindow::Focus(bool gained) {
  if (screenManager_ != nullptr) screenManager_->OnActivateApp(gained);
}

void MainWindow::Timer() {
  if (screenManager_ != nullptr) screenManager_->OnFrameTimer();
}

void MainWindow::Move(int32_t x, int32_t y) {
  if (screenManager_ != nullptr && !IsFullScreen()) screenManager_->OnWindowMoved(x, y);
}

void MainWindow::Size(uint32_t sizeType, int32_t width, int32_t height) {
  if (screenManager_ != nullptr) screenManager_->OnWindowSized(static_cast<int32_t>(sizeType));
}

int32_t MainWindow::NcHitTest(int32_t x, int32_t y) {
  return IsFullScreen() ? HTCLIENT : kDefaultHitTest;
}

void MainWindow::GetCursorPos(int32_t& x, int32_t& y) const {
  Backend().GetCursorPos(x, y);
}

bool MainWindow::IsPointerOverWindow() const {
  return Backend().IsPointerInWindow();
}

uint32_t MainWindow::GetKeyState() const { return Backend().GetKeyState(); }

CursorId MainWindow::CursorFor(int32_t kind) {
  if (kind == kSystemArrow) {
    if (systemArrow_ == 0) systemArrow_ = Backend().LoadSystemCursor(SystemCursor::Arrow);
    return systemArrow_;
  }
  if (kind < 0 || kind >= static_cast<int32_t>(cursors_.size())) return 0;
  CursorId& cursor = cursors_[static_cast<size_t>(kind)];
  if (cursor == 0) cursor = MakeCursor(kind);
  return cursor;
}

// The program's own picture of the kind; the desktop's nearest shape when it cannot be made.
CursorId MainWindow::MakeCursor(int32_t kind) {
  const CursorImage picture = CursorImageOf(kind);
  Image image;
  if (image.LoadFromResource(static_cast<uint32_t>(picture.imageId), ExeModule())) {
    const std::vector<uint8_t> pixels = TopDownPixels(image);
    if (!pixels.empty()) {
      const CursorId made =
          Backend().CreateColorCursor(pixels.data(), image.width, image.height, picture.hotX, picture.hotY);
      if (made != 0) return made;
    }
  }
  static constexpr SystemCursor kShapes[] = {SystemCursor::Arrow, SystemCursor::Hand, SystemCursor::IBeam,
                                             SystemCursor::Hand, SystemCursor::Wait};
  return Backend().LoadSystemCursor(kShapes[kind]);
}

void MainWindow::SetSystemCursor(int32_t kind) { SetCursor(kind == kNone ? 0 : CursorFor(kind)); }

void MainWindow::SetMouseCapture(bool on) { Backend().SetCapture(on); }

void MainWindow::StartFrameTimer(uint32_t intervalMs) {
  Backend().SetTimer(ScreenManager::kFrameTimerId, intervalMs);
}

void MainWindow::StopFrameTimer() { Backend().KillTimer(ScreenManager::kFrameTimerId); }

void MainWindow::RequestQuit() { application_.Quit(); }
