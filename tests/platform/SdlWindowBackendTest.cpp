#include "platform/SdlWindowBackend.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "EnvironmentGuard.h"
#include "ScratchFolder.h"
#include "platform/WindowMessages.h"
#include "platform/X11ErrorHandlers.h"
#include "platform/X11WindowManager.h"
#include "platform/X11WindowSize.h"

// Xlib's macros would clash with the names above.
#include <SDL_syswm.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

// Polls `done` until it holds, for at most half a minute.
bool Eventually(const std::function<bool()>& done) {
  for (int waited = 0; waited < 30000 && !done(); waited += 10) usleep(10000);
  return done();
}

// Ends a program of the test's: continued (a held one takes no other signal), asked to end, and
// killed when it has not ended within a second (a manager can hang in its own handler). True once
// it is reaped, which is then waited for no longer than a second more.
bool End(pid_t id) {
  const auto reaped = [id] {
    for (int waited = 0; waited < 1000; waited += 10) {
      if (waitpid(id, nullptr, WNOHANG) != 0) return true;
      usleep(10000);
    }
    return false;
  };
  kill(id, SIGCONT);
  kill(id, SIGTERM);
  if (reaped()) return true;
  kill(id, SIGKILL);
  return reaped();
}

// A private X server with a window manager on it (as the real-window test starts them), whose
// settings go to a home of its own.
class ManagedDisplay {
public:
  explicit ManagedDisplay(const std::string& manager) {
    // Each program's shell writes its own process id, which the program then takes over.
    server_ = popen("echo $$; exec Xvfb -displayfd 1 -noreset -screen 0 1280x800x24 -nolisten tcp 2>/dev/null", "r");
    int number = -1;
    if (server_ == nullptr || std::fscanf(server_, "%d %d", &serverId_, &number) != 2) return;
    setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    manager_ = popen(("echo $$; HOME='" + home_.Path() + "' exec " + manager + " >/dev/null 2>&1").c_str(), "r");
    if (manager_ == nullptr || std::fscanf(manager_, "%d", &managerId_) != 1) return;
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) return;
    // A manager may name itself before it handles the windows that come, and drop what came
    // meanwhile, or frame them before it names itself (and SDL, finding no name, takes the server
    // for a bare one): it is ready once it has done both.
    const ::Window probe = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
    ready_ = Eventually([&] {
      XMapWindow(display_, probe);
      ::Window root = 0, frame = 0, *children = nullptr;
      unsigned count = 0;
      XQueryTree(display_, probe, &root, &frame, &children, &count);
      if (children) XFree(children);
      Atom type = 0;
      int format = 0;
      unsigned long named = 0, after = 0;
      unsigned char* data = nullptr;
      XGetWindowProperty(display_, root, Intern("_NET_SUPPORTING_WM_CHECK"), 0, 1, False, AnyPropertyType, &type,
                         &format, &named, &after, &data);
      if (data) XFree(data);
      return frame != root && named == 1;
    });
    XDestroyWindow(display_, probe);
  }
  ~ManagedDisplay() {
    if (display_) XCloseDisplay(display_);
    // The stream's close waits for its program, so it is closed only once the program is reaped.
    for (const auto& [id, program] : {std::pair{managerId_, manager_}, std::pair{serverId_, server_}}) {
      if (program && (id <= 0 || End(id))) pclose(program);
    }
  }
  ManagedDisplay(const ManagedDisplay&) = delete;
  ManagedDisplay& operator=(const ManagedDisplay&) = delete;

  bool Ready() const { return ready_; }
  ::Display* X() const { return display_; }
  // A held manager answers nothing, as one on a loaded machine may not for a while.
  void HoldManager(bool held) const { kill(managerId_, held ? SIGSTOP : SIGCONT); }
  Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

private:
  // Put back once the programs have ended.
  EnvironmentGuard displayVariable_{"DISPLAY"}, driverVariable_{"SDL_VIDEODRIVER"};
  ScratchFolder home_;
  FILE* server_ = nullptr;
  FILE* manager_ = nullptr;
  pid_t serverId_ = -1;
  pid_t managerId_ = -1;
  ::Display* display_ = nullptr;
  bool ready_ = false;
};

// The dummy video driver needs no display; it is SDL's own, so the real backend runs.
class SdlWindowBackendTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }
};

TEST_F(SdlWindowBackendTest, WindowHasTheExactClientSize) {
  SdlWindowBackend backend;
  ASSERT_TRUE(backend.HasVideo());
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar \xE9", 800, 600, false));
  EXPECT_FALSE(backend.CreateMainWindow("again", 800, 600, false));
  int32_t w = 0, h = 0;
  backend.GetClientSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_STREQ(SDL_GetWindowTitle(backend.NativeWindow()), "Quillomar \xC3\xA9");
  // Not an X window: the full screen SDL reports is the one there is.
  EXPECT_TRUE(backend.SetFullScreen(true, 0, 0));
  EXPECT_TRUE(backend.IsFullScreen());
  backend.ShowWindow();
  backend.DestroyMainWindow();
  EXPECT_FALSE(backend.HasWindow());
}

TEST_F(SdlWindowBackendTest, QuitAndPostedMessagesComeThroughTheWait) {
  SdlWindowBackend backend;
  backend.PostMessage(WindowMessage{WM_CHAR, 'q', 0});
  backend.PostQuit(7);
  WindowMessage m;
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_CHAR);
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 7u);
}

TEST_F(SdlWindowBackendTest, FrameTimerWakesTheWait) {
  SdlWindowBackend backend;
  backend.SetTimer(36211, 5);
  WindowMessage m;
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, 36211u);
}

TEST_F(SdlWindowBackendTest, MessageBoxWithoutADisplayAnswersTheFirstButton) {
  SdlWindowBackend backend;
  setenv("QUILLOMAR_TEST", "1", 1);
  EXPECT_EQ(backend.MessageBox("text", "Quillomar", MB_OK | MB_ICONHAND), IDOK);
  EXPECT_EQ(backend.MessageBox("keep?", "Quillomar", MB_YESNO), IDYES);
}

TEST_F(SdlWindowBackendTest, CursorsAreMadeAndCheckedForSize) {
  SdlWindowBackend backend;
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, false));
  std::vector<uint8_t> pixels(32 * 32 * 4, 0xFF);
  EXPECT_EQ(backend.CreateColorCursor(pixels.data(), 32, 32, 32, 0), 0u);
  EXPECT_EQ(backend.CreateColorCursor(pixels.data(), 0, 32, 0, 0), 0u);
  const CursorId made = backend.CreateColorCursor(pixels.data(), 32, 32, 3, 4);
  backend.SetCursor(made);
  backend.SetCursor(0);
}

// Xlib ends a process whose display is lost through exit(), whose destructors then wait for ever
// on the dead connection (the game's backend is a static's). Instead the process ends at once,
// with what its keeper keeps kept and one line said.
TEST(SdlWindowBackendOnX, ALostDisplayEndsTheProcessWithWhatItKeeps) {
  ScratchFolder folder;
  FILE* server = popen("echo $$; exec Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp 2>/dev/null", "r");
  pid_t serverId = -1;
  int number = -1;
  ASSERT_TRUE(server != nullptr && std::fscanf(server, "%d %d", &serverId, &number) == 2) << "Xvfb is needed";
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t game = fork();
  if (game == 0) {
    setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    const int said = open((folder / "stderr").c_str(), O_WRONLY | O_CREAT, 0600);
    if (said < 0 || dup2(said, STDERR_FILENO) < 0) _exit(102);
    static SdlWindowBackend backend;
    if (!backend.CreateMainWindow("Quillomar", 800, 600, false)) _exit(100);
    backend.SetDisplayLostKeeper([&] { std::ofstream(folder / "kept") << "kept"; });
    backend.ShowWindow();
    if (write(ready[1], "r", 1) != 1) _exit(101);
    for (WindowMessage m;;) backend.WaitMessage(m);
  }
  close(ready[1]);
  char answer = 0;
  EXPECT_EQ(read(ready[0], &answer, 1), 1);
  close(ready[0]);
  kill(serverId, SIGKILL);
  int status = 0;
  bool reaped = false;
  const bool ended = Eventually([&] { return reaped = reaped || waitpid(game, &status, WNOHANG) == game; });
  if (!ended) {
    kill(game, SIGKILL);
    waitpid(game, &status, 0);
  }
  pclose(server);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == X11ErrorHandlers::kDisplayLostStatus) << status;
  EXPECT_TRUE(std::ifstream(folder / "kept").good());
  std::ifstream said(folder / "stderr");
  const std::string told((std::istreambuf_iterator<char>(said)), std::istreambuf_iterator<char>());
  EXPECT_NE(told.find("was lost"), std::string::npos) << told;
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
}

// A window of one fixed size is offered no maximise by the window manager. Ours is: the request
// comes as the system command (which the game turns into full screen), and the window stays
// 800x600 through it and through resizes. The window manager's own full screen is the command too,
// and its taking full screen away is the restore command; its late answers to the game's own
// switches are neither. Light window managers list their state at other moments of a switch.
class UnderAWindowManager : public ::testing::TestWithParam<const char*> {};

TEST_P(UnderAWindowManager, AMaximiseComesAsTheCommandAndTheWindowKeepsItsSize) {
  ManagedDisplay display(GetParam());
  ASSERT_TRUE(display.Ready()) << "Xvfb and " << GetParam() << " are needed: ./dev installs them";
  SdlWindowBackend backend;
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, false)) << SDL_GetError();
  backend.ShowWindow();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(backend.NativeWindow(), &info));
  const ::Window window = info.info.x11.window;
  // A request of the game's own connection on another client's window that is gone (SDL asks
  // about its frame, which a manager may have remade by then), or one the server refuses about
  // the game's own window, is written once for each kind, and the game goes on.
  const ::Window gone = XCreateSimpleWindow(display.X(), DefaultRootWindow(display.X()), 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(display.X(), gone);
  XSync(display.X(), False);
  testing::internal::CaptureStderr();
  for (int again = 0; again < 2; ++again) {
    ::Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    EXPECT_FALSE(XTranslateCoordinates(info.info.x11.display, gone, DefaultRootWindow(display.X()), 0, 0, &x, &y,
                                       &child));
    EXPECT_FALSE(XGetGeometry(info.info.x11.display, gone, &root, &x, &y, &w, &h, &border, &depth));
    XDeleteProperty(info.info.x11.display, window, 0x7FFFFFF);
    XSync(info.info.x11.display, False);
  }
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 3) << told;
  for (const char* request : {"X_TranslateCoords", "X_GetGeometry", "X_DeleteProperty"})
    EXPECT_NE(told.find(request), std::string::npos) << request << " in " << told;
  // Asks the window manager, as a desktop's key or a tiling layout does, to add (or remove) states.
  const auto ask = [&](const char* state, const char* other = nullptr, long action = 1) {
    XEvent request{};
    request.xclient = {ClientMessage, 0, False, display.X(), window, display.Intern("_NET_WM_STATE"), 32, {}};
    request.xclient.data.l[0] = action;
    request.xclient.data.l[1] = static_cast<long>(display.Intern(state));
    request.xclient.data.l[2] = other ? static_cast<long>(display.Intern(other)) : 0;
    XSendEvent(display.X(), DefaultRootWindow(display.X()), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XFlush(display.X());
  };
  const auto listed = [&] { return X11WindowManagerState(backend.NativeWindow(), "_NET_WM_STATE_FULLSCREEN"); };
  // Handles the window's events until the message has come (any, when 0) and `settled` holds,
  // and counts the maximise and restore commands on the way.
  int maximised = 0, restored = 0;
  const auto handle = [&](const std::function<bool()>& settled, uint32_t message = 0, uint64_t wParam = 0,
                          int64_t lParam = 0) {
    bool seen = message == 0;
    return Eventually([&] {
      for (WindowMessage m; backend.PeekMessage(m);) {
        seen = seen || (m.message == message && m.wParam == wParam && m.lParam == lParam);
        maximised += m.message == WM_SYSCOMMAND && m.wParam == SC_MAXIMIZE;
        restored += m.message == WM_SYSCOMMAND && m.wParam == SC_RESTORE;
      }
      return seen && settled();
    });
  };
  // ... until the window manager holds the window unmaximised at the size: a resize sent before
  // its restore could be undone by it.
  const auto atSize = [&](int32_t w, int32_t h) {
    int32_t width = 0, height = 0;
    return X11WindowSize(backend.NativeWindow(), width, height) && width == w && height == h &&
           !X11WindowManagerState(backend.NativeWindow(), "_NET_WM_STATE_MAXIMIZED_VERT");
  };
  const auto came = [&](uint32_t message, uint64_t wParam, int64_t lParam, int32_t w = 800, int32_t h = 600) {
    return handle([&] { return atSize(w, h); }, message, wParam, lParam);
  };
  const auto inFullScreen = [&] { return backend.IsFullScreen() && listed(); };
  const auto windowed = [&] { return handle([&] { return !listed() && atSize(800, 600); }); };

  ask("_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
  EXPECT_TRUE(came(WM_SYSCOMMAND, SC_MAXIMIZE, 0));
  for (const auto& [w, h] : {std::pair{1000, 700}, std::pair{1000, 600}}) {
    XResizeWindow(display.X(), window, w, h);
    XFlush(display.X());
    EXPECT_TRUE(came(WM_SIZE, SIZE_RESTORED, MakeCoordParam(w, h))) << w << "x" << h;
  }
  // Its own full screen, listed after another state, fills the screen and is the game's too.
  const int32_t screenWidth = DisplayWidth(display.X(), 0), screenHeight = DisplayHeight(display.X(), 0);
  ask("_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_SKIP_TASKBAR");
  EXPECT_TRUE(came(WM_SYSCOMMAND, SC_MAXIMIZE, 0, screenWidth, screenHeight));
  // Nor is the window sent back to its windowed size meanwhile, which SDL would record as its own.
  int32_t clientWidth = 0, clientHeight = 0;
  backend.GetClientSize(clientWidth, clientHeight);
  EXPECT_EQ(MakeCoordParam(clientWidth, clientHeight), MakeCoordParam(screenWidth, screenHeight));
  ASSERT_TRUE(backend.SetFullScreen(true, 0, 0));
  EXPECT_TRUE(handle(inFullScreen));
  // Its taking it away, also before the game handles another event (the key pressed twice in
  // quick order), and after each of many switches of the game's own.
  maximised = restored = 0;
  for (int cycle = 0; cycle < 20; ++cycle) {
    if (cycle > 0) {
      ASSERT_TRUE(backend.SetFullScreen(true, 0, 0));
      EXPECT_TRUE(handle(inFullScreen)) << cycle;
    }
    ask("_NET_WM_STATE_FULLSCREEN", nullptr, 0);
    if (cycle == 0) {
      EXPECT_TRUE(Eventually([&] { return !listed(); }));
    }
    EXPECT_TRUE(came(WM_SYSCOMMAND, SC_RESTORE, 0)) << cycle;
    ASSERT_TRUE(backend.SetFullScreen(false, 0, 0));
    EXPECT_TRUE(windowed()) << cycle;
  }
  EXPECT_EQ(restored, 20);
  // The game's own switches are none of its own, also while the window manager is held (as a
  // loaded or animating desktop's is) until the wait has run out, or around the game's leave;
  // nor is SDL's taking full screen away from a minimised window. After each, its key is.
  maximised = restored = 0;
  const auto leaveByTheKey = [&] {
    ask("_NET_WM_STATE_FULLSCREEN", nullptr, 0);
    EXPECT_TRUE(came(WM_SYSCOMMAND, SC_RESTORE, 0));
    ASSERT_TRUE(backend.SetFullScreen(false, 0, 0));
    EXPECT_TRUE(windowed());
  };
  for (const bool held : {false, true}) {
    display.HoldManager(held);
    ASSERT_TRUE(backend.SetFullScreen(true, 0, 0));
    display.HoldManager(false);
    EXPECT_TRUE(handle(inFullScreen)) << held;
    leaveByTheKey();
    ASSERT_TRUE(backend.SetFullScreen(true, 0, 0));
    EXPECT_TRUE(handle(inFullScreen)) << held;
    display.HoldManager(held);
    ASSERT_TRUE(backend.SetFullScreen(false, 0, 0));
    const uint32_t heldUntil = SDL_GetTicks() + 500;
    handle([&] { return SDL_GetTicks() >= heldUntil; });
    display.HoldManager(false);
    EXPECT_TRUE(windowed()) << held;
  }
  // Two switches with it held over both, either way: its late answer to the first is none of its
  // own, and the window ends as the game last asked. It answers in order, so once it has toggled
  // another state asked after them, it has answered both.
  const auto answeredAll = [&](const std::function<bool()>& settled) {
    const auto above = [&] { return X11WindowManagerState(backend.NativeWindow(), "_NET_WM_STATE_ABOVE"); };
    const bool before = above();
    ask("_NET_WM_STATE_ABOVE", nullptr, 2);
    return handle([&] { return above() != before && settled(); });
  };
  for (const bool last : {false, true}) {
    if (last) {
      ASSERT_TRUE(backend.SetFullScreen(true, 0, 0));
      EXPECT_TRUE(handle(inFullScreen));
    }
    display.HoldManager(true);
    ASSERT_TRUE(backend.SetFullScreen(!last, 0, 0));
    ASSERT_TRUE(backend.SetFullScreen(last, 0, 0));
    const uint32_t heldUntil = SDL_GetTicks() + 500;
    handle([&] { return SDL_GetTicks() >= heldUntil; });
    display.HoldManager(false);
    EXPECT_TRUE(answeredAll([&] { return last ? inFullScreen() : !listed() && atSize(800, 600); })) << last;
  }
  ASSERT_TRUE(backend.SetFullScreen(true, 0, 0));
  EXPECT_TRUE(handle(inFullScreen));
  XIconifyWindow(display.X(), window, 0);
  XFlush(display.X());
  EXPECT_TRUE(handle([&] { return backend.IsMinimized(); }));
  backend.Raise();
  EXPECT_TRUE(handle(inFullScreen));
  leaveByTheKey();
  EXPECT_EQ(maximised, 0);
  EXPECT_EQ(restored, 3);

  // The bell rings on the window's server, also once the window is gone.
  int opcode = 0, xkbEvent = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  ASSERT_TRUE(XkbQueryExtension(display.X(), &opcode, &xkbEvent, &error, &major, &minor));
  XkbSelectEvents(display.X(), XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
  XSync(display.X(), False);
  backend.DestroyMainWindow();
  backend.Beep();
  bool rang = false;
  EXPECT_TRUE(Eventually([&] {
    for (XEvent event; XPending(display.X());) {
      XNextEvent(display.X(), &event);
      rang = rang || (event.type == xkbEvent && reinterpret_cast<XkbEvent&>(event).any.xkb_type == XkbBellNotify);
    }
    return rang;
  }));
}

INSTANTIATE_TEST_SUITE_P(LightManagers, UnderAWindowManager, ::testing::Values("openbox", "fluxbox", "icewm"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
