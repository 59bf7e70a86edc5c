#include "platform/SdlWindowBackend.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"
#include "platform/X11WindowSize.h"

// Xlib's macros would clash with the names above.
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// A private X server with openbox on it, as the real-window tests use, for the SDL backend of
// one test; the environment is put back afterwards.
class ManagedDisplay {
public:
  ManagedDisplay() {
    int displayNumber[2];
    if (pipe(displayNumber) != 0) return;
    fcntl(displayNumber[0], F_SETFD, FD_CLOEXEC);
    const std::string fd = std::to_string(displayNumber[1]);
    server_ = Spawn({"Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "1280x800x24", "-nolisten", "tcp"},
                    environ);
    close(displayNumber[1]);
    std::string number;
    pollfd wait{displayNumber[0], POLLIN, 0};
    char c = 0;
    while (server_ > 0 && poll(&wait, 1, 30000) == 1 && read(displayNumber[0], &c, 1) == 1 && c != '\n') number += c;
    close(displayNumber[0]);
    if (number.empty()) return;
    name_ = ":" + number;
    for (Variable& variable : saved_) {
      const char* value = std::getenv(variable.name);
      variable.had = value != nullptr;
      if (value) variable.value = value;
    }
    setenv("DISPLAY", name_.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    manager_ = Spawn({"openbox"}, environ);
    display_ = XOpenDisplay(name_.c_str());
    if (manager_ <= 0 || display_ == nullptr) return;
    // The manager may name itself on the root window before it handles the windows that come,
    // and drop what came meanwhile: it is ready once it has put a window of ours on the screen.
    const ::Window probe = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
    ready_ = Within(30000, [&] {
      XMapWindow(display_, probe);
      XSync(display_, False);
      usleep(50000);
      XWindowAttributes attributes;
      return XGetWindowAttributes(display_, probe, &attributes) != 0 && attributes.map_state == IsViewable &&
             HasProperty(probe, "_NET_FRAME_EXTENTS");
    });
    XDestroyWindow(display_, probe);
    XSync(display_, False);
  }
  ~ManagedDisplay() {
    if (display_) XCloseDisplay(display_);
    for (pid_t child : {manager_, server_}) {
      if (child <= 0) continue;
      kill(child, SIGTERM);
      waitpid(child, nullptr, 0);
    }
    if (name_.empty()) return;
    for (const Variable& variable : saved_) {
      if (variable.had) setenv(variable.name, variable.value.c_str(), 1);
      else unsetenv(variable.name);
    }
  }
  ManagedDisplay(const ManagedDisplay&) = delete;
  ManagedDisplay& operator=(const ManagedDisplay&) = delete;

  bool Ready() const { return ready_; }
  bool HasProperty(::Window window, const char* name) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window, Intern(name), 0, 1, False, AnyPropertyType, &type, &format, &count, &after,
                       &data);
    if (data) XFree(data);
    return type != None;
  }
  ::Display* X() const { return display_; }
  Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

  // Polls `done` until it holds or `ms` have passed.
  static bool Within(uint32_t ms, const std::function<bool()>& done) {
    for (uint32_t waited = 0; waited < ms; waited += 10) {
      if (done()) return true;
      usleep(10000);
    }
    return done();
  }

private:
  static pid_t Spawn(std::vector<const char*> argv, char** env) {
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &quiet, nullptr, const_cast<char**>(argv.data()), env);
    posix_spawn_file_actions_destroy(&quiet);
    return failed ? -1 : child;
  }

  struct Variable {
    const char* name;
    bool had = false;
    std::string value;
  };

  pid_t server_ = -1;
  pid_t manager_ = -1;
  std::string name_;
  Variable saved_[2] = {{"DISPLAY", false, ""}, {"SDL_VIDEODRIVER", false, ""}};
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

// A window of one fixed size gets no maximise from the window manager. Ours is offered it, the
// request comes as the system command (which the game turns into full screen), and the window
// stays 800x600 through it and through a resize.
TEST_F(SdlWindowBackendTest, UnderAWindowManagerMaximiseIsOfferedAndTheWindowKeepsItsSize) {
  ManagedDisplay display;
  ASSERT_TRUE(display.Ready()) << "Xvfb and openbox are needed: ./dev installs them";
  SdlWindowBackend backend;
  ASSERT_TRUE(backend.HasVideo()) << SDL_GetError();
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, false));
  backend.ShowWindow();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(backend.NativeWindow(), &info));
  const ::Window window = info.info.x11.window;
  std::vector<WindowMessage> messages;
  const auto pump = [&] {
    WindowMessage m;
    while (backend.PeekMessage(m)) messages.push_back(m);
  };
  const auto sized = [&](int32_t width, int32_t height) {
    pump();
    int32_t w = 0, h = 0;
    return X11WindowSize(backend.NativeWindow(), w, h) && w == width && h == height;
  };
  const auto offersMaximise = [&] {
    pump();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display.X(), window, display.Intern("_NET_WM_ALLOWED_ACTIONS"), 0, 64, False, XA_ATOM, &type,
                       &format, &count, &after, &data);
    bool found = false;
    for (unsigned long i = 0; i < count; ++i)
      found = found || reinterpret_cast<const Atom*>(data)[i] == display.Intern("_NET_WM_ACTION_MAXIMIZE_HORZ");
    if (data) XFree(data);
    return found;
  };
  EXPECT_TRUE(ManagedDisplay::Within(10000, offersMaximise));

  XEvent maximise{};
  maximise.xclient.type = ClientMessage;
  maximise.xclient.window = window;
  maximise.xclient.message_type = display.Intern("_NET_WM_STATE");
  maximise.xclient.format = 32;
  maximise.xclient.data.l[0] = 1;  // add
  maximise.xclient.data.l[1] = static_cast<long>(display.Intern("_NET_WM_STATE_MAXIMIZED_VERT"));
  maximise.xclient.data.l[2] = static_cast<long>(display.Intern("_NET_WM_STATE_MAXIMIZED_HORZ"));
  XSendEvent(display.X(), DefaultRootWindow(display.X()), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &maximise);
  XFlush(display.X());
  const auto commanded = [&] {
    pump();
    for (const WindowMessage& m : messages)
      if (m.message == WM_SYSCOMMAND && m.wParam == SC_MAXIMIZE) return true;
    return false;
  };
  EXPECT_TRUE(ManagedDisplay::Within(10000, commanded));
  EXPECT_TRUE(ManagedDisplay::Within(10000, [&] { return sized(800, 600); }));

  XResizeWindow(display.X(), window, 1000, 700);
  XFlush(display.X());
  const auto resized = [&] {
    pump();
    for (const WindowMessage& m : messages)
      if (m.message == WM_SIZE && m.lParam == MakeCoordParam(1000, 700)) return true;
    return false;
  };
  EXPECT_TRUE(ManagedDisplay::Within(10000, resized));
  EXPECT_TRUE(ManagedDisplay::Within(10000, [&] { return sized(800, 600); }));
}

}  // namespace
