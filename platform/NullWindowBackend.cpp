#include "platform/NullWindowBackend.h"

#include "platform/LinkOpener.h"
#include "platform/WindowMessages.h"

void NullWindowBackend::Sleep(uint32_t milliseconds) {
  sleeps_.push_back(milliseconds);
  now_ += milliseconds;
}

void NullWindowBackend::SetDesktop(int32_t width, int32_t height, int32_t bitsPerPixel) {
  desktopWidth_ = width;
  desktopHeight_ = height;
  desktopBits_ = bitsPerPixel;
}

void NullWindowBackend::SetKeyDown(uint32_t virtualKey, bool down) {
  if (down) keysDown_.insert(virtualKey);
  else keysDown_.erase(virtualKey);
}

bool NullWindowBackend::CreateMainWindow(std::string_view title, int32_t width, int32_t height,
                                         bool fullScreen) {
  if (window_ || createFails_ || width < 1 || height < 1) return false;
  window_ = true;
  shown_ = false;
  title_ = title;
  windowedWidth_ = width_ = width;
  windowedHeight_ = height_ = height;
  if (fullScreen) SetFullScreen(true, 0, 0);
  return true;
}

void NullWindowBackend::DestroyMainWindow() {
  window_ = false;
  shown_ = false;
  fullScreen_ = false;
}

void NullWindowBackend::Raise() {
  ++raises_;
  minimized_ = false;
  shown_ = true;
}

bool NullWindowBackend::SetFullScreen(bool on, int32_t width, int32_t height) {
  if (!window_ || (on && fullScreenFails_)) return false;
  fullScreen_ = on;
  if (on) {
    width_ = width > 0 && height > 0 ? width : desktopWidth_;
    height_ = width > 0 && height > 0 ? height : desktopHeight_;
  } else {
    width_ = windowedWidth_;
    height_ = windowedHeight_;
  }
  return true;
}

void NullWindowBackend::GetClientSize(int32_t& width, int32_t& height) const {
  width = window_ ? width_ : 0;
  height = window_ ? height_ : 0;
}

bool NullWindowBackend::GetDesktopMode(int32_t& width, int32_t& height, int32_t& bitsPerPixel) const {
  width = desktopWidth_;
  height = desktopHeight_;
  bitsPerPixel = desktopBits_;
  return true;
}

bool NullWindowBackend::PeekMessage(WindowMessage& message) {
  if (peekHook_) peekHook_(peeks_++);
  return queue_.Take(now_, message);
}

void NullWindowBackend::WaitMessage(WindowMessage& message) {
  if (queue_.Take(now_, message)) return;
  const int64_t wait = queue_.TimeToTimer(now_);
  if (wait >= 0) {
    now_ += static_cast<uint32_t>(wait);
    if (queue_.Take(now_, message)) return;
  }
  // Nothing could ever arrive: answer the quit a real loop would wait for forever.
  starved_ = true;
  message = WindowMessage{WM_QUIT, 0, 0};
}

void NullWindowBackend::WaitForMessage(uint32_t milliseconds) {
  if (!queue_.HasPosted()) Sleep(milliseconds);
}

void NullWindowBackend::GetCursorPos(int32_t& x, int32_t& y) const {
  x = cursorX_;
  y = cursorY_;
}

bool NullWindowBackend::IsPointerInWindow() const {
  return window_ && cursorX_ >= 0 && cursorY_ >= 0 && cursorX_ < width_ && cursorY_ < height_;
}

CursorId NullWindowBackend::LoadSystemCursor(SystemCursor) { return nextCursor_++; }

CursorId NullWindowBackend::CreateColorCursor(const uint8_t* pixels, int32_t width, int32_t height,
                                              int32_t hotX, int32_t hotY) {
  if (pixels == nullptr || width < 1 || height < 1 || hotX < 0 || hotY < 0 || hotX >= width ||
      hotY >= height)
    return 0;
  colorCursors_.push_back(RecordedCursor{nextCursor_, width, height, hotX, hotY});
  return nextCursor_++;
}

const NullWindowBackend::RecordedCursor* NullWindowBackend::ColorCursor(CursorId id) const {
  for (const RecordedCursor& cursor : colorCursors_)
    if (cursor.id == id) return &cursor;
  return nullptr;
}

void NullWindowBackend::SetWindowIcon(const uint8_t* pixels, int32_t width, int32_t height) {
  if (!window_ || pixels == nullptr || width < 1 || height < 1) return;
  iconWidth_ = width;
  iconHeight_ = height;
}

int32_t NullWindowBackend::MessageBox(std::string_view text, std::string_view caption, uint32_t type) {
  boxes_.push_back(RecordedBox{std::string(text), std::string(caption), type, bells_});
  if (!answers_.empty()) {
    const int32_t answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

bool NullWindowBackend::GetClipboardText(std::string& text) {
  if (!clipboardSet_) return false;
  text = clipboard_;
  return true;
}

bool NullWindowBackend::SetClipboardText(std::string_view text) {
  clipboard_ = text;
  clipboardSet_ = true;
  return true;
}

bool NullWindowBackend::OpenLink(std::string_view url) {
  if (!IsOpenableLink(url)) return false;
  links_.emplace_back(url);
  return true;
}
