#include "framework/app/Application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "../ui/ProbeScreen.h"
#include "../ui/ProbeWidget.h"
#include "AppTestHome.h"
#include "ShellTestApp.h"
#include "framework/app/MainWindow.h"
#include "framework/app/Settings.h"
#include "framework/gfx/DisplayDevice.h"
#include "framework/gfx/Image.h"
#include "framework/gfx/NullRenderBackend.h"
#include "framework/gfx/SdlDisplayDevice.h"
#include "framework/ui/CursorImages.h"
#include "framework/ui/ScreenManager.h"
#include "platform/SingleInstance.h"
#include "platform/WindowMessages.h"

namespace {

class ApplicationTest : public AppTestHome {
protected:
  void SetUp() override {
    AppTestHome::SetUp();
    AddStartupStrings(exe_);
    SetExeModule(&exe_);
    AppSettings() = Settings();
    app_ = std::make_unique<ShellTestApp>();
    app_->instanceFolder = (home_ / "run").string();
    std::filesystem::create_directories(home_ / "run");
    app_->SetStartup(&exe_, CommandLine({"quillomar"}), 1);
  }
  void TearDown() override {
    app_.reset();
    SetExeModule(nullptr);
    AppTestHome::TearDown();
  }
  // Posts a message once the loop has peeked `after` times.
  void PostAt(uint32_t after, WindowMessage message) {
    scripted_.push_back({after, message});
    app_->Null().SetPeekHook([this](uint32_t peek) {
      for (const auto& [when, m] : scripted_)
        if (when == peek) app_->Null().PostMessage(m);
    });
  }
  static WindowMessage Close() { return WindowMessage{WM_SYSCOMMAND, SC_CLOSE, 0}; }

  MemoryResources exe_;
  std::unique_ptr<ShellTestApp> app_;
  std::vector<std::pair<uint32_t, WindowMessage>> scripted_;
};

TEST_F(ApplicationTest, StartsOneWindowOfTheExactSizeAndQuitsCleanlyWhenClosed) {
  AppSettings().fullScreen = false;
  WriteFile(UserFile(), "FullScreen=0\n");
  ASSERT_TRUE(app_->Init());
  NullWindowBackend& null = app_->Null();
  EXPECT_TRUE(null.IsShown());
  EXPECT_EQ(null.Title(), "Quillomar");
  int32_t w = 0, h = 0;
  null.GetClientSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_FALSE(null.IsFullScreen());
  EXPECT_EQ(app_->userDataLoads, 1);
  EXPECT_TRUE(app_->GetScreenManager()->IsRunning());

  PostAt(20, Close());
  EXPECT_EQ(app_->Run(), 0);
  EXPECT_EQ(app_->quitQuestions, 1);
  EXPECT_EQ(app_->userDataSaves, 1);
  EXPECT_FALSE(null.HasWindow());
  EXPECT_FALSE(app_->GetScreenManager()->IsRunning());
  EXPECT_TRUE(std::filesystem::exists(UserFile()));
  EXPECT_TRUE(null.Boxes().empty());
}

TEST_F(ApplicationTest, IdleFramesRunOnTheIntervalWithoutCatchingUp) {
  ASSERT_TRUE(app_->Init());
  NullWindowBackend& null = app_->Null();
  std::vector<std::string> log;
  std::vector<uint32_t> steps;
  auto* widget = new ProbeWidget(&log, "w", 10, 10);
  widget->draws = false;
  widget->onCreate = [](ProbeWidget& self) { self.EnableUpdates(true); };
  widget->onUpdate = [&] {
    steps.push_back(null.Ticks());
    return false;
  };
  auto* screen = new ProbeScreen(&log, "s");
  screen->build = [widget](ProbeScreen& s) { s.AddWidget(widget, 0, 0); };
  app_->GetScreenManager()->PushScreen(screen, false, false, false);
  null.SetPeekHook([&](uint32_t peek) {
    if (peek == 10 || peek == 20) null.Advance(60);
    if (peek == 40) null.PostMessage(Close());
  });
  const uint32_t start = null.Ticks();
  app_->Run();
  ASSERT_GT(steps.size(), 20u);
  // A late frame restarts the schedule; the frame after it still waits its whole interval, and
  // idle frames keep coming on it.
  const uint32_t interval = app_->FrameInterval();
  for (size_t i = 1; i < steps.size(); ++i) EXPECT_GE(steps[i] - steps[i - 1], interval) << i;
  EXPECT_LE(steps.back() - start, interval * steps.size() + 2 * 60);
}

TEST_F(ApplicationTest, QuitWaitsForTheGamesConsent) {
  ASSERT_TRUE(app_->Init());
  app_->allowQuit = false;
  NullWindowBackend& null = app_->Null();
  null.SetPeekHook([&](uint32_t peek) {
    if (peek == 5) null.PostMessage(Close());
    if (peek == 10) {
      EXPECT_TRUE(null.HasWindow());
      EXPECT_TRUE(app_->GetScreenManager()->IsRunning());
      app_->allowQuit = true;
      null.PostMessage(WindowMessage{WM_CLOSE, 0, 0});
    }
  });
  EXPECT_EQ(app_->Run(), 0);
  EXPECT_EQ(app_->quitQuestions, 2);
  EXPECT_FALSE(null.HasWindow());
}

TEST_F(ApplicationTest, MissingPackShowsTheExecutablesTextAndFails) {
  app_->packPresent = false;
  EXPECT_FALSE(app_->Init());
  EXPECT_NE(app_->StartupExitCode(), 0);
  NullWindowBackend& null = app_->Null();
  ASSERT_EQ(null.Boxes().size(), 1u);
  EXPECT_EQ(null.Boxes()[0].text, "Cannot locate the resource file. Please download and re-install the game.");
  EXPECT_EQ(null.Boxes()[0].caption, "Quillomar");
  EXPECT_EQ(null.Boxes()[0].type & MB_ICONMASK, MB_ICONHAND);
  EXPECT_FALSE(null.HasWindow());
}

TEST_F(ApplicationTest, ImagePrimitivesThatCannotBeBoundAreToldAndStartUpGoesOn) {
  app_->imagePrimitivesBind = false;
  ASSERT_TRUE(app_->Init());
  String text;
  ASSERT_TRUE(text.LoadExeString(Application::kGraphicsLibraryId));
  ASSERT_EQ(app_->Null().Boxes().size(), 1u);
  EXPECT_EQ(app_->Null().Boxes()[0].text, text.CStr());
  EXPECT_TRUE(app_->GetScreenManager()->IsRunning());
}

TEST_F(ApplicationTest, SecondCopyBringsTheFirstForwardAndEnds) {
  ASSERT_TRUE(app_->Init());
  ShellTestApp second;
  second.instanceFolder = app_->instanceFolder;
  second.SetStartup(&exe_, CommandLine({"quillomar"}), 1);
  // The first copy answers from its message loop while the second waits for the answer.
  auto secondInit = std::async(std::launch::async, [&] { return second.Init(); });
  NullWindowBackend& null = app_->Null();
  null.SetMinimized(true);
  bool closing = false;
  null.SetPeekHook([&](uint32_t) {
    if (!closing && secondInit.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
      closing = true;
      null.PostMessage(Close());
    }
  });
  app_->Run();
  EXPECT_FALSE(secondInit.get());
  EXPECT_EQ(second.StartupExitCode(), 0);
  EXPECT_FALSE(second.Null().HasWindow());
  EXPECT_TRUE(second.Null().Boxes().empty());
  EXPECT_EQ(null.RaiseCount(), 1);
  EXPECT_FALSE(null.IsMinimized());
}

TEST_F(ApplicationTest, RestartOptionSkipsTheCheck) {
  ASSERT_TRUE(app_->Init());
  ShellTestApp second;
  second.instanceFolder = app_->instanceFolder;
  second.SetStartup(&exe_, CommandLine({"quillomar", "-RESTART"}), 1);
  EXPECT_TRUE(second.Init());
  EXPECT_TRUE(second.Null().HasWindow());
}

TEST_F(ApplicationTest, StartRemovesOnlyTheTemporaryFilesOfCutShortWrites) {
  const auto config = UserFile().parent_path();
  const auto data = home_ / "data";
  Globals().userDataFolder = (data.string() + "/").c_str();
  const std::vector<std::filesystem::path> abandoned = {config / ".settings.ini.Ab12Cd", data / ".list.usr.x9Y8z7"};
  const std::vector<std::filesystem::path> kept = {config / "settings.ini", config / ".settings.ini.Ab12C",
                                                   config / ".settings.ini.Ab-2Cd", data / "x.list.usr.x9Y8z7",
                                                   data / "0.usr"};
  for (const auto& path : abandoned) WriteFile(path, "half");
  for (const auto& path : kept) WriteFile(path, "FullScreen=0\n");
  std::filesystem::create_directories(data / ".folder.Ab12Cd");
  ASSERT_TRUE(app_->Init());
  for (const auto& path : abandoned) EXPECT_FALSE(std::filesystem::exists(path)) << path;
  for (const auto& path : kept) EXPECT_TRUE(std::filesystem::exists(path)) << path;
  EXPECT_TRUE(std::filesystem::exists(data / ".folder.Ab12Cd"));
}

TEST_F(ApplicationTest, HolderThatCannotBeReachedGetsTheMessage) {
  SingleInstance holder;
  ASSERT_EQ(holder.Acquire(app_->instanceFolder, "Quillomar"), SingleInstance::Outcome::First);
  holder.Release();
  // A lock held without a socket: another copy that is not listening.
  const std::string lock = app_->instanceFolder + "/Quillomar.lock";
  const int fd = open(lock.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  EXPECT_FALSE(app_->Init());
  ASSERT_EQ(app_->Null().Boxes().size(), 1u);
  EXPECT_EQ(app_->Null().Boxes()[0].text.rfind("Unable to initialize the game.", 0), 0u);
  close(fd);
}

TEST_F(ApplicationTest, AltEnterTogglesFullScreenAndEscLeavesIt) {
  AppSettings().fullScreen = false;
  WriteFile(UserFile(), "FullScreen=0\n");
  ASSERT_TRUE(app_->Init());
  NullWindowBackend& null = app_->Null();
  MainWindow& window = *app_->GetMainWindow();
  const int64_t alt = MakeKeyParam(1, KF_ALTDOWN);
  EXPECT_EQ(window.HandleMessage(WindowMessage{WM_SYSCHAR, 13, alt}), 0);
  EXPECT_TRUE(null.IsFullScreen());
  // In full screen the frame cannot be moved, sized or hit, and the monitor stays on.
  EXPECT_TRUE(window.SysCommand(SC_MOVE, 0, 0));
  EXPECT_TRUE(window.SysCommand(SC_SIZE, 0, 0));
  EXPECT_TRUE(window.SysCommand(SC_MONITORPOWER, 0, 0));
  EXPECT_EQ(window.HandleMessage(WindowMessage{WM_NCHITTEST, 0, 0}), HTCLIENT);
  EXPECT_TRUE(window.SysCommand(SC_MAXIMIZE, 0, 0));
  EXPECT_TRUE(null.IsFullScreen());

  window.HandleMessage(WindowMessage{WM_KEYDOWN, VK_ESCAPE, MakeKeyParam(1, 1)});
  EXPECT_FALSE(null.IsFullScreen());
  EXPECT_FALSE(window.SysCommand(SC_MOVE, 0, 0));
  EXPECT_EQ(window.NcHitTest(0, 0), Window::kDefaultHitTest);
  // Enter alone is a character for the game; Esc in a window changes nothing.
  window.HandleMessage(WindowMessage{WM_CHAR, 13, MakeKeyParam(1, 0)});
  window.HandleMessage(WindowMessage{WM_KEYDOWN, VK_ESCAPE, MakeKeyParam(1, 1)});
  EXPECT_FALSE(null.IsFullScreen());
  EXPECT_TRUE(window.SysCommand(SC_MAXIMIZE, 0, 0));
  EXPECT_TRUE(null.IsFullScreen());
  // The window manager's taking its full screen away leaves it too; in a window it is nothing.
  EXPECT_TRUE(window.SysCommand(SC_RESTORE, 0, 0));
  EXPECT_FALSE(null.IsFullScreen());
  EXPECT_FALSE(window.SysCommand(SC_RESTORE, 0, 0));
  EXPECT_TRUE(window.SysCommand(SC_MAXIMIZE, 0, 0));

  // The mode in force at quitting is the one stored.
  null.PostMessage(Close());
  app_->Run();
  Settings stored;
  ReadSettings(&stored, CommandLine({"quillomar"}), SettingsContext());
  EXPECT_TRUE(stored.fullScreen);
}

TEST_F(ApplicationTest, FailedModeSwitchQuitsCleanly) {
  AppSettings().fullScreen = false;
  WriteFile(UserFile(), "FullScreen=0\n");
  ASSERT_TRUE(app_->Init());
  NullWindowBackend& null = app_->Null();
  null.SetFullScreenFails(true);
  null.SetPeekHook([&](uint32_t peek) {
    if (peek == 2) null.PostMessage(WindowMessage{WM_SYSCHAR, 13, MakeKeyParam(1, KF_ALTDOWN)});
  });
  EXPECT_EQ(app_->Run(), 0);
  EXPECT_FALSE(null.HasWindow());
  EXPECT_EQ(null.Boxes().size(), 1u);
  EXPECT_EQ(app_->userDataSaves, 1);
}

TEST_F(ApplicationTest, ShallowDesktopForcesFullScreen) {
  AppSettings().fullScreen = false;
  WriteFile(UserFile(), "FullScreen=0\n");
  app_->Null().SetDesktop(1024, 768, 8);
  ASSERT_TRUE(app_->Init());
  EXPECT_TRUE(app_->Null().IsFullScreen());
}

TEST_F(ApplicationTest, MinimisedWindowWaitsInsteadOfRunningFrames) {
  ASSERT_TRUE(app_->Init());
  NullWindowBackend& null = app_->Null();
  MainWindow& window = *app_->GetMainWindow();
  window.HandleMessage(WindowMessage{WM_SIZE, SIZE_MINIMIZED, 0});
  EXPECT_FALSE(app_->GetScreenManager()->IsRunning());
  window.HandleMessage(WindowMessage{WM_SIZE, SIZE_RESTORED, MakeCoordParam(800, 600)});
  EXPECT_TRUE(app_->GetScreenManager()->IsRunning());
  (void)null;
}

TEST_F(ApplicationTest, OnTheNullBackendFramesAreDrawnInSoftware) {
  AppSettings().fullScreen = false;
  WriteFile(UserFile(), "FullScreen=0\n");
  ASSERT_TRUE(app_->Init());
  DisplayDevice& display = app_->GetScreenManager()->GetDisplay();
  EXPECT_FALSE(display.IsDirect3DInUse());
  ASSERT_TRUE(display.BeginFrame()) << "the software path draws without a window system";
  Image* blank = display.CreateImage(4, 4);
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->width, 4);
  display.FillFrameRect(nullptr, 0x000000FF);
  display.EndFrame();
  EXPECT_EQ(display.Present(), 0);
  display.DestroyImage(blank);
}

TEST_F(ApplicationTest, TheDisplaysVerdictIsWrittenBackAtExit) {
  WriteFile(UserFile(), "FullScreen=0\nHardwareAcceleration=1\n");
  ASSERT_TRUE(app_->Init());
  // What a self-test with a warning leaves behind during the run.
  DisplaySettings& display = app_->GetDisplaySettings();
  EXPECT_TRUE(display.hardwareAcceleration);
  display.hardwareAcceleration = false;
  display.initWarning = "Low video memory";
  display.lastTestVersion = "v.9.8.7.6";
  display.freeVideoBlocks = 12;
  // The same is kept when the display goes away under the game, the screens keeping theirs (a
  // game in progress) too.
  std::vector<std::string> log;
  app_->GetScreenManager()->PushScreen(new ProbeScreen(&log, "game"), false, false, false);
  bool lost = false;
  app_->Null().SetPeekHook([&](uint32_t) {
    if (lost) return;
    lost = true;
    app_->Null().LoseDisplay();
    Settings kept;
    ReadSettings(&kept, CommandLine({"quillomar"}), SettingsContext());
    EXPECT_FALSE(kept.hardwareAcceleration);
    EXPECT_EQ(kept.initWarning, "Low video memory");
    EXPECT_EQ(app_->userDataSaves, 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "game:Close"), 1);
    app_->Null().PostMessage(Close());
  });
  app_->Run();
  Settings stored;
  ReadSettings(&stored, CommandLine({"quillomar"}), SettingsContext());
  EXPECT_FALSE(stored.hardwareAcceleration);
  EXPECT_EQ(stored.initWarning, "Low video memory");
  EXPECT_EQ(stored.lastTestVersion, "v.9.8.7.6");
  EXPECT_EQ(stored.freeVideoBlocks, 12);
  EXPECT_FALSE(stored.fullScreen);
}

TEST_F(ApplicationTest, TheManagersDisplaySwitchesAreTheDevicesAndAreWrittenAtExit) {
  WriteFile(UserFile(), "FullScreen=0\nWideScreen=0\n");
  ASSERT_TRUE(app_->Init());
  ScreenManager& manager = *app_->GetScreenManager();
  EXPECT_EQ(&manager.GetDisplaySettings(), &app_->GetDisplaySettings());
  EXPECT_EQ(manager.IsWideDisplay(), app_->IsWideDisplay());
  EXPECT_TRUE(manager.SetWideScreen(true));
  app_->Null().PostMessage(Close());
  app_->Run();
  Settings stored;
  ReadSettings(&stored, CommandLine({"quillomar"}), SettingsContext());
  EXPECT_TRUE(stored.wideScreen);
}

// A 32-bit bitmap resource of the given size, every pixel half-transparent grey.
std::vector<uint8_t> GreyBitmap(int32_t width, int32_t height) {
  std::vector<uint8_t> dib(40 + static_cast<size_t>(width) * height * 4, 0x80);
  auto put = [&dib](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) dib[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  put(0, 40, 4);
  put(4, static_cast<uint32_t>(width), 4);
  put(8, static_cast<uint32_t>(height), 4);
  put(12, 1, 2);
  put(14, 32, 2);
  for (size_t at = 16; at < 40; ++at) dib[at] = 0;
  return dib;
}

TEST_F(ApplicationTest, TheWindowShowsTheProgramsOwnIconAndCursorPictures) {
  const int32_t kinds[] = {ScreenManager::kCursorNormal, ScreenManager::kCursorHand, ScreenManager::kCursorIBeam,
                           ScreenManager::kCursorSpecial, ScreenManager::kCursorWait};
  for (int32_t kind : kinds) exe_.Add(kBitmapType, CursorImageOf(kind).imageId, GreyBitmap(20 + kind, 30 - kind));
  exe_.Add(kBitmapType, Window::kIconId, GreyBitmap(48, 40));
  ASSERT_TRUE(app_->Init());
  NullWindowBackend& null = app_->Null();
  EXPECT_EQ(null.IconWidth(), 48);
  EXPECT_EQ(null.IconHeight(), 40);
  MainWindow& window = *app_->GetMainWindow();
  for (int32_t kind : kinds) {
    window.SetSystemCursor(kind);
    const NullWindowBackend::RecordedCursor* shown = null.ColorCursor(null.CurrentCursor());
    ASSERT_NE(shown, nullptr) << "kind " << kind;
    EXPECT_EQ(shown->width, 20 + kind);
    EXPECT_EQ(shown->height, 30 - kind);
    EXPECT_EQ(shown->hotX, CursorImageOf(kind).hotX);
    EXPECT_EQ(shown->hotY, CursorImageOf(kind).hotY);
  }
}

// A frame-only renderer that notes, when it goes, whether the window it drew on was still there.
class WatchedRenderer : public NullRenderBackend {
public:
  WatchedRenderer(const WindowBackend& window, std::vector<bool>& windowAtRelease)
      : window_(window), windowAtRelease_(windowAtRelease) {}
  ~WatchedRenderer() override { windowAtRelease_.push_back(window_.HasWindow()); }

private:
  const WindowBackend& window_;
  std::vector<bool>& windowAtRelease_;
};

class WatchedRendererApp : public ShellTestApp {
public:
  explicit WatchedRendererApp(std::vector<bool>& windowAtRelease) : windowAtRelease_(windowAtRelease) {}

protected:
  std::unique_ptr<DisplayDevice> CreateDisplayDevice(WindowBackend& backend) override {
    return std::make_unique<SdlDisplayDevice>(
        [this, window = &backend](bool quads) -> std::unique_ptr<RenderBackend> {
          if (quads) return nullptr;
          return std::make_unique<WatchedRenderer>(*window, windowAtRelease_);
        },
        GetDisplaySettings(), SdlDisplayDevice::Environment{}, &backend, [] {});
  }

private:
  std::vector<bool>& windowAtRelease_;
};

TEST_F(ApplicationTest, QuittingReleasesTheRendererBeforeTheWindowGoes) {
  std::vector<bool> windowAtRelease;
  app_ = std::make_unique<WatchedRendererApp>(windowAtRelease);
  app_->instanceFolder = (home_ / "run").string();
  app_->SetStartup(&exe_, CommandLine({"quillomar"}), 1);
  WriteFile(UserFile(), "FullScreen=0\n");
  ASSERT_TRUE(app_->Init());
  PostAt(10, Close());
  EXPECT_EQ(app_->Run(), 0);
  EXPECT_FALSE(app_->Null().HasWindow());
  app_.reset();
  ASSERT_FALSE(windowAtRelease.empty());
  for (bool windowThere : windowAtRelease) EXPECT_TRUE(windowThere);
}

// A device on the frame-only backend whose answer to "is Direct3D in use" the test sets, as if
// the player had switched hardware acceleration on or off during the run.
class SwitchableDisplay : public SdlDisplayDevice {
public:
  SwitchableDisplay(const bool& accelerated, DisplaySettings& settings, WindowBackend* window)
      : SdlDisplayDevice(
            [](bool quads) -> std::unique_ptr<RenderBackend> {
              return quads ? nullptr : std::make_unique<NullRenderBackend>();
            },
            settings, {}, window, {}),
        accelerated_(accelerated) {}
  bool IsDirect3DInUse() const override { return accelerated_; }

private:
  const bool& accelerated_;
};

class SwitchableApp : public ShellTestApp {
public:
  bool accelerated = false;

protected:
  std::unique_ptr<DisplayDevice> CreateDisplayDevice(WindowBackend& backend) override {
    return std::make_unique<SwitchableDisplay>(accelerated, GetDisplaySettings(), &backend);
  }
};

class KeepAccelerationQuestion : public ApplicationTest {
protected:
  // Starts with Direct3D in use or not, switches it to `atExit` during the run and quits with
  // `answer` scripted for any box; returns the boxes shown.
  std::vector<NullWindowBackend::RecordedBox> Run(const std::string& warning, bool atStart, bool atExit,
                                                  int32_t answer) {
    app_.reset();
    auto app = std::make_unique<SwitchableApp>();
    SwitchableApp* switchable = app.get();
    app_ = std::move(app);
    app_->instanceFolder = (home_ / "run").string();
    app_->SetStartup(&exe_, CommandLine({"quillomar"}), 1);
    WriteFile(UserFile(), "FullScreen=0\nHardwareAcceleration=1\n[3DSettings]\n3DInitWarning=" + warning + "\n");
    switchable->accelerated = atStart;
    EXPECT_TRUE(app_->Init());
    switchable->accelerated = atExit;
    app_->Null().ScriptAnswer(answer);
    app_->Null().PostMessage(Close());
    app_->Run();
    return app_->Null().Boxes();
  }
  static bool StoredAcceleration() {
    Settings stored;
    ReadSettings(&stored, CommandLine({"quillomar"}), SettingsContext());
    return stored.hardwareAcceleration;
  }
};

TEST_F(KeepAccelerationQuestion, AskedWhenAWarnedDeviceWasSwitchedOnDuringTheRun) {
  const auto boxes = Run("Low video memory", false, true, IDNO);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(boxes[0].bellsBefore, 1) << "the bell rings once, before the question";
  EXPECT_FALSE(StoredAcceleration()) << "No switches hardware acceleration off";

  EXPECT_EQ(Run("Low video memory", false, true, IDYES).size(), 1u);
  EXPECT_TRUE(StoredAcceleration());
}

TEST_F(KeepAccelerationQuestion, NotAskedWithoutAWarningOrWhenNothingWasSwitchedOn) {
  EXPECT_TRUE(Run("", false, true, IDNO).empty());
  EXPECT_TRUE(StoredAcceleration());
  EXPECT_TRUE(Run("Low video memory", true, true, IDNO).empty()) << "in use from the start";
  EXPECT_TRUE(StoredAcceleration());
  EXPECT_TRUE(Run("Low video memory", false, false, IDNO).empty()) << "never switched on";
}

}  // namespace
