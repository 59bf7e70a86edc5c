#include "framework/app/Window.h"

#include "framework/app/AppGlobals.h"
#include "framework/app/MessageBoxes.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/Image.h"
#include "framework/gfx/TopDownPixels.h"
#include "platform/CrashHandler.h"
#include "platform/WindowMessages.h"

namespace {

uint32_t LowWord(uint64_t value) { return static_cast<uint32_t>(value & 0xFFFF); }
uint32_t HighWord(uint64_t value) { return static_cast<uint32_t>((value >> 16) & 0xFFFF); }

}  // namespace

Window::Window(WindowBackend& backend) : backend_(backend) {
  cursor_ = backend_.LoadSystemCursor(SystemCursor::Arrow);
}

Window::~Window() {
  if (hasHandle_) backend_.DestroyMainWindow();
  hasHandle_ = false;
  activatedOnce_ = false;
}

bool Window::Create(int32_t width, int32_t height, bool fullScreen) {
  if (activatedOnce_ || hasHandle_) return false;
  if (!backend_.CreateMainWindow(Globals().title.CStr(), width, height, fullScreen)) return false;
  hasHandle_ = true;
  backend_.SetCursor(cursor_);
  Image icon;
  if (icon.LoadFromResource(kIconId, ExeModule())) {
    const std::vector<uint8_t> pixels = TopDownPixels(icon);
    if (!pixels.empty()) backend_.SetWindowIcon(pixels.data(), icon.width, icon.height);
  }
  return true;
}

void Window::DestroyWindow() {
  if (!hasHandle_) return;
  backend_.DestroyMainWindow();
  HandleMessage(WindowMessage{WM_DESTROY, 0, 0});
}

int32_t Window::MessageBox(const String& text, uint32_t type) {
  return ShowMessageBox(backend_, text, type);
}

int32_t Window::MessageBoxId(int stringId, uint32_t type) {
  String text;
  text.LoadExeString(stringId);
  return MessageBox(text, type);
}

void Window::SetCursor(CursorId cursor) {
  cursor_ = cursor;
  backend_.SetCursor(cursor);
}

int64_t Window::DefaultProcessing(const WindowMessage& message) {
  // The close command of the system menu becomes a close request; the rest needs nothing.
  if (message.message == WM_SYSCOMMAND && (message.wParam & 0xFFF0) == SC_CLOSE && hasHandle_) {
    Close();
  }
  return 0;
}

int64_t Window::HandleMessage(const WindowMessage& m) {
  if (CrashHandler::InCrash()) return 0;
  const int32_t x = CoordParamX(m.lParam);
  const int32_t y = CoordParamY(m.lParam);
  const auto keys = static_cast<uint32_t>(m.wParam);
  const uint32_t repeat = LowWord(static_cast<uint64_t>(m.lParam));
  const uint32_t flags = HighWord(static_cast<uint64_t>(m.lParam));
  switch (m.message) {
    case WM_ACTIVATEAPP:
      activatedOnce_ = true;
      active_ = m.wParam != 0;
      ActivateApp(active_, static_cast<uint32_t>(m.lParam));
      break;
    case WM_DESTROY:
      hasHandle_ = false;
      OnDestroyed();
      backend_.PostQuit(0);
      return 0;
    case WM_MOVE: Move(x, y); break;
    case WM_SIZE: Size(keys, x, y); break;
    case WM_ACTIVATE: Activate(LowWord(m.wParam), HighWord(m.wParam) != 0); break;
    case WM_SETFOCUS: Focus(true); break;
    case WM_KILLFOCUS: Focus(false); break;
    case WM_PAINT:
      if (Paint(m.wParam)) return 0;
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SETCURSOR:
      if (active_) {
        backend_.SetCursor(cursor_);
        return 1;
      }
      break;
    case WM_NCHITTEST: {
      const int32_t hit = NcHitTest(x, y);
      if (hit != kDefaultHitTest) return hit;
      break;
    }
    case WM_KEYDOWN: KeyDown(keys, repeat, flags); break;
    case WM_CHAR: Char(keys, repeat, flags); break;
    case WM_SYSCHAR:
      if (SysChar(keys, repeat, flags)) return 0;
      break;
    case WM_SYSCOMMAND:
      if (SysCommand(keys & 0xFFF0, x, y)) return 0;
      break;
    case WM_TIMER: Timer(); break;
    case WM_MOUSEMOVE: MouseMove(keys, x, y); break;
    case WM_LBUTTONDOWN: LButtonDown(keys, x, y); break;
    case WM_LBUTTONUP: LButtonUp(keys, x, y); break;
    case WM_LBUTTONDBLCLK: LButtonDblClk(keys, x, y); break;
    case WM_RBUTTONDOWN: RButtonDown(keys, x, y); break;
    case WM_RBUTTONUP: RButtonUp(keys, x, y); break;
    case WM_RBUTTONDBLCLK: RButtonDblClk(keys, x, y); break;
    case WM_ENTERMENULOOP: EnterMenuLoop(m.wParam != 0); break;
    case WM_EXITMENULOOP: ExitMenuLoop(m.wParam != 0); break;
    case WM_ENTERSIZEMOVE: EnterSizeMove(); break;
    case WM_EXITSIZEMOVE: ExitSizeMove(); break;
    case WM_POWERBROADCAST:
      if (m.wParam == PBT_APMQUERYSUSPEND) return QuerySuspend(m.lParam);
      if (m.wParam == PBT_APMRESUMESUSPEND) return ResumeSuspend(m.lParam);
      break;
    default:
      break;
  }
  return DefaultProcessing(m);
}
