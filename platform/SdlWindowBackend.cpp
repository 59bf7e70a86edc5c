#include "platform/SdlWindowBackend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/BoxProcessGuard.h"
#include "platform/CodePage.h"
#include "platform/CrashHandler.h"
#include "platform/LinkOpener.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowMessages.h"
#include "platform/X11ErrorHandlers.h"
#include "platform/X11NativeWindow.h"
#include "platform/X11WindowManager.h"
#include "platform/X11WindowSize.h"

namespace {

// How long a full-screen request may take the window manager: on a loaded machine its answer
// can take seconds, and a window manager that refuses gives none.
constexpr uint32_t kFullScreenWaitMs = 3000;
// How long a request of the game's waits for the window manager's answer once the game goes on
// (at once for a leave, after the wait above for full screen): as long as the game itself waits.
// A manager held past that wait answers after it, and the leave the game makes then behind it.
// Longer would only let a request the manager never answered on its own (a leave and an enter
// both carried out before the game looked) take the manager's next switch for its answer.
constexpr uint32_t kAnswerWaitMs = kFullScreenWaitMs;
// Not every step of the answer is an SDL event: the window's real size is looked at this often.
constexpr uint32_t kFullScreenLookMs = 10;

std::string ToUtf8(std::string_view text) { return Cp1252ToUtf8(text); }

// Under the test runner a modal box would wait for a click that never comes.
bool BoxesSuppressed() {
  const char* test = std::getenv("QUILLOMAR_TEST");
  return test != nullptr && test[0] != '\0' && test[0] != '0';
}

// A crash's box, drawn by a process of its own, takes the window out of its way. SDL makes a new X
// window for it when a renderer needs one of another kind: before it is first shown, or in a
// running game (acceleration switched on), after which the new one is exposed.
void NoteWindowForCrashBox(SDL_Window* window) {
  X11NativeWindow native;
  if (X11NativeWindowOf(window, native)) CrashHandler::SetWindow(native.window);
}

}  // namespace

SdlWindowBackend::SdlWindowBackend() {
  // The window's close button is a message to the game, never a quit of its own.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  video_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  // The X server's word of each change of the window manager's state comes only as a
  // window-system event.
  if (video_) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  x11_ = video_ && std::string_view(SDL_GetCurrentVideoDriver()) == "x11";
  if (x11_) X11ErrorHandlers::Install();
  // Once, before the first box.
  BoxProcessGuard::Prepare();
}

SdlWindowBackend::~SdlWindowBackend() {
  if (x11_) X11ErrorHandlers::SetDisplayLostKeeper(nullptr);
  DestroyMainWindow();
  for (auto& [id, cursor] : cursors_) SDL_FreeCursor(cursor);
  if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // Only now: SDL's end is made of X requests too.
  if (x11_) X11ErrorHandlers::Remove();
}

void SdlWindowBackend::SetDisplayLostKeeper(std::function<void()> keeper) {
  if (x11_) X11ErrorHandlers::SetDisplayLostKeeper(std::move(keeper));
}

uint32_t SdlWindowBackend::Ticks() { return SDL_GetTicks(); }

void SdlWindowBackend::Sleep(uint32_t milliseconds) { SDL_Delay(milliseconds); }

bool SdlWindowBackend::CreateMainWindow(std::string_view title, int32_t width, int32_t height,
                                        bool fullScreen) {
  if (!video_ || window_ != nullptr || width < 1 || height < 1) return false;
  // SDL's window size is the client area: the frame the desktop adds lies outside it. A window
  // of one fixed size is offered no maximise by the window manager, so it may be resized; it
  // keeps its size all the same, and a maximise (or the window manager's own full screen) is the
  // game's to carry out (Translate).
  window_ = SDL_CreateWindow(ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             width, height, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) return false;
  windowedWidth_ = width;
  windowedHeight_ = height;
  bell_.Attach(window_);
  NoteWindowForCrashBox(window_);
  translator_.SetClientSize(width, height);
  SDL_StartTextInput();
  if (fullScreen) SetFullScreen(true, 0, 0);
  return true;
}

void SdlWindowBackend::DestroyMainWindow() {
  if (window_ == nullptr) return;
  CrashHandler::SetWindow(0);
  SDL_DestroyWindow(window_);
  window_ = nullptr;
}

void SdlWindowBackend::ShowWindow() {
  if (window_ == nullptr) return;
  NoteWindowForCrashBox(window_);
  SDL_ShowWindow(window_);
}

void SdlWindowBackend::HideWindow() {
  if (window_ != nullptr) SDL_HideWindow(window_);
}

void SdlWindowBackend::Raise() {
  if (window_ == nullptr) return;
  if (IsMinimized()) SDL_RestoreWindow(window_);
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

bool SdlWindowBackend::IsMinimized() const {
  return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

bool SdlWindowBackend::SetFullScreen(bool on, int32_t width, int32_t height) {
  if (window_ == nullptr) return false;
  AskManager(on);
  if (!on) {
    if (SDL_SetWindowFullscreen(window_, 0) != 0) return false;
    SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    translator_.SetClientSize(windowedWidth_, windowedHeight_);
    return true;
  }
  // The window manager carries out full screen only for a window on the screen.
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) == 0) SDL_ShowWindow(window_);
  if (width > 0 && height > 0) {
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode closest{};
    const int display = SDL_GetWindowDisplayIndex(window_);
    if (SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest) == nullptr) return false;
    if (SDL_SetWindowDisplayMode(window_, &closest) != 0) return false;
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) return false;
  } else if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    return false;
  }
  // The window manager answers by resizing the window; without one the window keeps its size.
  // Events that come meanwhile are kept for the game.
  const bool answerCanCome = !X11WithoutWindowManager(window_);
  const uint32_t start = SDL_GetTicks();
  while (answerCanCome && !IsFullScreen() && SDL_GetTicks() - start < kFullScreenWaitMs) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, kFullScreenLookMs) == 1) Translate(event);
  }
  int32_t w = 0;
  int32_t h = 0;
  RealSize(w, h);
  translator_.SetClientSize(w, h);
  return true;
}

bool SdlWindowBackend::IsFullScreen() const {
  if (window_ == nullptr || (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0) return false;
  SDL_Rect screen{};
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &screen) != 0) return false;
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != SDL_WINDOW_FULLSCREEN_DESKTOP) {
    SDL_DisplayMode mode{};
    if (SDL_GetWindowDisplayMode(window_, &mode) != 0) return false;
    screen.w = mode.w;
    screen.h = mode.h;
  }
  int32_t w = 0;
  int32_t h = 0;
  RealSize(w, h);
  return w >= screen.w && h >= screen.h;
}

void SdlWindowBackend::RealSize(int32_t& width, int32_t& height) const {
  if (X11WindowSize(window_, width, height)) return;
  int w = 0;
  int h = 0;
  SDL_GetWindowSizeInPixels(window_, &w, &h);
  width = w;
  height = h;
}

void SdlWindowBackend::GetClientSize(int32_t& width, int32_t& height) const {
  int w = 0;
  int h = 0;
  if (window_ != nullptr) SDL_GetWindowSizeInPixels(window_, &w, &h);
  width = w;
  height = h;
}

bool SdlWindowBackend::GetDesktopMode(int32_t& width, int32_t& height, int32_t& bitsPerPixel) const {
  SDL_DisplayMode mode{};
  if (!video_ || SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
  width = mode.w;
  height = mode.h;
  // Formats with a padding byte report 24 bits; the desktop's pixels take 32.
  bitsPerPixel = SDL_BYTESPERPIXEL(mode.format) == 4 ? 32 : static_cast<int32_t>(SDL_BITSPERPIXEL(mode.format));
  return true;
}

void SdlWindowBackend::Translate(const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT && window_ != nullptr && event.window.windowID == SDL_GetWindowID(window_)) {
    if (event.window.event == SDL_WINDOWEVENT_EXPOSED) NoteWindowForCrashBox(window_);
    FollowWindowManager(event.window);
  } else if (unsigned long serial = 0; X11WindowManagerStateChanged(event, window_, serial)) {
    FollowManagerState(serial);
  }
  translated_.clear();
  translator_.Translate(event, translated_);
  for (const WindowMessage& message : translated_) queue_.Post(message);
}

void SdlWindowBackend::FollowWindowManager(const SDL_WindowEvent& event) {
  const uint32_t flags = SDL_GetWindowFlags(window_);
  if ((flags & SDL_WINDOW_FULLSCREEN) != 0) return;
  if (event.event == SDL_WINDOWEVENT_MAXIMIZED) {
    // The maximise comes to the game as the system command; the window itself stays as it was.
    SDL_RestoreWindow(window_);
  } else if (event.event == SDL_WINDOWEVENT_SIZE_CHANGED && (flags & SDL_WINDOW_MAXIMIZED) == 0 &&
             (event.data1 != windowedWidth_ || event.data2 != windowedHeight_) && !ManagerFullScreen()) {
    SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
  }
}

void SdlWindowBackend::ForgetUnansweredRequests() {
  const uint32_t now = SDL_GetTicks();
  while (!managerRequests_.empty() && static_cast<int32_t>(managerRequests_.front().until - now) <= 0)
    managerRequests_.pop_front();
}

void SdlWindowBackend::AskManager(bool fullScreen) {
  ForgetUnansweredRequests();
  const bool after = managerRequests_.empty() ? managerListed_ : managerRequests_.back().fullScreen;
  const uint32_t wait = fullScreen ? kFullScreenWaitMs + kAnswerWaitMs : kAnswerWaitMs;
  if (fullScreen != after)
    managerRequests_.push_back({fullScreen, SDL_GetTicks() + wait, X11NextRequestNumber(window_)});
}

void SdlWindowBackend::FollowManagerState(unsigned long serial) {
  const bool listed = ManagerFullScreen();
  const bool changed = listed != managerListed_;
  managerListed_ = listed;
  ForgetUnansweredRequests();
  if (!managerRequests_.empty()) {
    // Listing, at a change that came after the game's last request, what that asked: the manager
    // has answered every request, also when it carried out several before the game looked.
    if (managerRequests_.back().fullScreen == listed && serial >= managerRequests_.back().serial) {
      managerRequests_.clear();
      return;
    }
    if (changed && managerRequests_.front().fullScreen == listed) {
      managerRequests_.pop_front();
      return;
    }
  }
  if (!changed) return;
  // A change to the game's own full screen (SDL's record of it) is no news, such as SDL's asking
  // for it again as a minimised window comes back; SDL's taking it away from a minimised window is
  // not the player's either.
  const bool game = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (listed == game || IsMinimized()) return;
  queue_.Post(WindowMessage{WM_SYSCOMMAND, listed ? SC_MAXIMIZE : SC_RESTORE, 0});
}

bool SdlWindowBackend::ManagerFullScreen() const {
  return X11WindowManagerState(window_, "_NET_WM_STATE_FULLSCREEN");
}

void SdlWindowBackend::Pump() {
  if (!video_) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) Translate(event);
}

bool SdlWindowBackend::PeekMessage(WindowMessage& message) {
  if (!queue_.HasPosted()) Pump();
  return queue_.Take(Ticks(), message);
}

void SdlWindowBackend::WaitMessage(WindowMessage& message) {
  for (;;) {
    if (PeekMessage(message)) return;
    const int64_t wait = queue_.TimeToTimer(Ticks());
    if (!video_) {
      if (wait < 0) {
        message = WindowMessage{WM_QUIT, 0, 0};
        return;
      }
      SDL_Delay(static_cast<uint32_t>(wait));
      continue;
    }
    SDL_Event event;
    const int got = wait < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, static_cast<int>(wait));
    if (got == 1) Translate(event);
  }
}

void SdlWindowBackend::WaitForMessage(uint32_t milliseconds) {
  if (!queue_.HasPosted()) Pump();
  if (queue_.HasPosted()) return;
  if (!video_) {
    SDL_Delay(milliseconds);
    return;
  }
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, static_cast<int>(milliseconds)) == 1) Translate(event);
}

// Over the window, the position its own motion events left is exact; the global position less
// the window's origin is only as good as the origin the window manager reported (without one,
// as under a bare X server, it can be far off).
void SdlWindowBackend::GetCursorPos(int32_t& x, int32_t& y) const {
  int px = 0;
  int py = 0;
  if (window_ != nullptr && SDL_GetMouseFocus() == window_) {
    SDL_GetMouseState(&px, &py);
  } else {
    int wx = 0;
    int wy = 0;
    SDL_GetGlobalMouseState(&px, &py);
    if (window_ != nullptr) SDL_GetWindowPosition(window_, &wx, &wy);
    px -= wx;
    py -= wy;
  }
  x = px;
  y = py;
}

bool SdlWindowBackend::IsPointerInWindow() const {
  return window_ != nullptr && SDL_GetMouseFocus() == window_;
}

uint32_t SdlWindowBackend::GetKeyState() const {
  const uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  const SDL_Keymod modifiers = SDL_GetModState();
  uint32_t state = 0;
  if (buttons & SDL_BUTTON_LMASK) state |= MK_LBUTTON;
  if (buttons & SDL_BUTTON_RMASK) state |= MK_RBUTTON;
  if (buttons & SDL_BUTTON_MMASK) state |= MK_MBUTTON;
  if (modifiers & KMOD_SHIFT) state |= MK_SHIFT;
  if (modifiers & KMOD_CTRL) state |= MK_CONTROL;
  return state;
}

bool SdlWindowBackend::IsKeyDown(uint32_t virtualKey) const {
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  for (int scancode = 0; scancode < count; ++scancode) {
    if (!keys[scancode]) continue;
    const auto code = static_cast<SDL_Scancode>(scancode);
    if (VirtualKeyFromSdl(SDL_GetKeyFromScancode(code), code) == virtualKey) return true;
  }
  return false;
}

void SdlWindowBackend::SetCapture(bool on) { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

CursorId SdlWindowBackend::LoadSystemCursor(SystemCursor shape) {
  if (!video_) return 0;
  SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
  switch (shape) {
    case SystemCursor::Arrow: id = SDL_SYSTEM_CURSOR_ARROW; break;
    case SystemCursor::Hand: id = SDL_SYSTEM_CURSOR_HAND; break;
    case SystemCursor::IBeam: id = SDL_SYSTEM_CURSOR_IBEAM; break;
    case SystemCursor::Wait: id = SDL_SYSTEM_CURSOR_WAIT; break;
  }
  SDL_Cursor* cursor = SDL_CreateSystemCursor(id);
  if (cursor == nullptr) return 0;
  cursors_[nextCursor_] = cursor;
  return nextCursor_++;
}

CursorId SdlWindowBackend::CreateColorCursor(const uint8_t* pixels, int32_t width, int32_t height,
                                             int32_t hotX, int32_t hotY) {
  if (!video_ || pixels == nullptr || width < 1 || height < 1 || width > 256 || height > 256 ||
      hotX < 0 || hotY < 0 || hotX >= width || hotY >= height)
    return 0;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pixels), width, height, 32,
                                                            width * 4, SDL_PIXELFORMAT_BGRA32);
  if (surface == nullptr) return 0;
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotX, hotY);
  SDL_FreeSurface(surface);
  if (cursor == nullptr) return 0;
  cursors_[nextCursor_] = cursor;
  return nextCursor_++;
}

void SdlWindowBackend::SetCursor(CursorId cursor) {
  if (!video_) return;
  const auto found = cursors_.find(cursor);
  if (found == cursors_.end()) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_SetCursor(found->second);
  SDL_ShowCursor(SDL_ENABLE);
}

void SdlWindowBackend::SetWindowIcon(const uint8_t* pixels, int32_t width, int32_t height) {
  if (window_ == nullptr || pixels == nullptr || width < 1 || height < 1 || width > 256 || height > 256) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pixels), width, height, 32,
                                                            width * 4, SDL_PIXELFORMAT_BGRA32);
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window_, surface);
  SDL_FreeSurface(surface);
}

int32_t SdlWindowBackend::MessageBox(std::string_view text, std::string_view caption, uint32_t type) {
  const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
  const std::string utf8Text = ToUtf8(text);
  const std::string utf8Caption = ToUtf8(caption);
  if (!BoxesSuppressed()) {
    const SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"}};
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"}};
    uint32_t flags = SDL_MESSAGEBOX_INFORMATION;
    const uint32_t icon = type & MB_ICONMASK;
    if (icon == MB_ICONHAND) flags = SDL_MESSAGEBOX_ERROR;
    else if (icon == MB_ICONEXCLAMATION) flags = SDL_MESSAGEBOX_WARNING;
    SDL_MessageBoxData data{};
    data.flags = flags;
    data.window = nullptr;
    data.title = utf8Caption.c_str();
    data.message = utf8Text.c_str();
    data.numbuttons = yesNo ? 2 : 1;
    data.buttons = yesNo ? yesNoButtons : okButtons;
    int answer = 0;
    const BoxProcessGuard guard;
    if (SDL_ShowMessageBox(&data, &answer) == 0 && answer > 0) return answer;
  }
  // No way to ask: say it on the standard error stream and take the first button.
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  return yesNo ? IDYES : IDOK;
}

bool SdlWindowBackend::GetClipboardText(std::string& text) {
  if (!video_ || !SDL_HasClipboardText()) return false;
  char* utf8 = SDL_GetClipboardText();
  if (utf8 == nullptr) return false;
  text.clear();
  Utf8ToCp1252(utf8, &text);
  SDL_free(utf8);
  return true;
}

bool SdlWindowBackend::SetClipboardText(std::string_view text) {
  return video_ && SDL_SetClipboardText(ToUtf8(text).c_str()) == 0;
}

bool SdlWindowBackend::OpenLink(std::string_view url) { return OpenLinkInBrowser(url); }
