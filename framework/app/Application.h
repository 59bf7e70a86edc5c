#pragma once
// The framework's application object: single-instance test, settings, asset pack, user data, the
// 800x600 main window, the screen manager with its frame timer, the message loop that runs a frame
// on every tick of that timer, and at the end the settings and user data saved. The game derives
// its application from it and fills the hooks.
#include <cstdint>
#include <memory>

#include "framework/app/ScreenSize.h"
#include "framework/app/WinApp.h"
#include "framework/gfx/DisplaySettings.h"
#include "platform/SingleInstance.h"
#include "platform/WindowBackend.h"

class BackendClock;
class DisplayDevice;
class MainWindow;
class Screen;
class ScreenManager;
struct Settings;
class SoundManager;

class Application : public WinApp {
public:
  // String ids of the executable's string table the start-up uses.
  static constexpr int kTitleId = 64;
  static constexpr int kClassNameId = 65;
  static constexpr int kNoWindowId = 71;
  static constexpr int kOtherCopyId = 72;
  static constexpr int kGraphicsLibraryId = 73;
  static constexpr int kNoPackId = 75;
  // Text of the asset pack: keep hardware acceleration?
  static constexpr int kKeepAccelerationId = 5;

  explicit Application(uint32_t frameIntervalMs);
  ~Application() override;

  static Application* Current();

  int Run() override;
  bool Init() override;
  void Exit() override;

  // Hooks of the game.
  virtual bool CanQuit() { return true; }
  // The first screen, to which start-up makes a transition; null for none.
  virtual Screen* CreateSplashScreen() = 0;
  virtual void ShowMainScreen() = 0;
  virtual void LoadUserData() = 0;
  virtual void SaveUserData() = 0;

  // Asks CanQuit; when allowed closes every screen and the window, which ends Run. True when the
  // program is quitting.
  bool Quit();

  // The process exit code Init leaves when it answered false: 0 when another copy was brought
  // forward, non-zero when start-up failed.
  int StartupExitCode() const { return startupExitCode_; }

  WindowBackend& Backend();
  MainWindow* GetMainWindow() const { return mainWindow_.get(); }
  ScreenManager* GetScreenManager() const { return screenManager_.get(); }
  SoundManager* GetSoundManager() const { return soundManager_.get(); }
  const ScreenSize& GetScreenSize() const { return screenSize_; }
  bool IsWideScreenOption() const { return wideScreenOption_; }
  bool IsWideDisplay() const { return wideDisplay_; }
  uint32_t FrameInterval() const { return frameInterval_; }
  // The display's settings for the run (mode, acceleration switch, self-test verdict): read
  // from the stored settings at start-up, written back at exit.
  DisplaySettings& GetDisplaySettings() { return displaySettings_; }

protected:
  // Factories of the services, replaced by tests. The display device draws through SDL's
  // renderer on an SDL window, and into a frame nobody sees on any other window backend.
  virtual std::unique_ptr<WindowBackend> CreateBackend();
  virtual std::unique_ptr<DisplayDevice> CreateDisplayDevice(WindowBackend& backend);
  // Null runs the game mute.
  virtual std::unique_ptr<SoundManager> CreateSoundManager();
  // Opens the asset pack beside the program (text 74 names it) and makes it the asset module.
  virtual bool LoadAssetModule();
  // Binds the image primitives to the best build for the processor: 1, or 0 when none could be.
  virtual int32_t BindImagePrimitives();
  // The private folder of the lock and socket that keep one copy running.
  virtual std::string InstanceFolder() const;

private:
  bool CheckSingleInstance();
  // Removes what writes cut short by a kill left in the program's folders.
  void RemoveAbandonedWrites();
  bool Fail(int exitCode);
  void Dispatch(const WindowMessage& message);
  void PollRaiseRequests();
  // What a quit keeps: the run's settings written with the user data, also when the display is
  // gone, the game's screens keeping theirs then too.
  void KeepWithoutDisplay();
  void TakeRunSettings(Settings& settings) const;
  void Keep(const Settings& settings);

  uint32_t frameInterval_;
  int startupExitCode_ = 0;
  std::unique_ptr<WindowBackend> backend_;
  std::unique_ptr<BackendClock> clock_;
  std::unique_ptr<DisplayDevice> display_;
  std::unique_ptr<SoundManager> soundManager_;
  std::unique_ptr<ScreenManager> screenManager_;
  std::unique_ptr<MainWindow> mainWindow_;
  SingleInstance singleInstance_;
  ScreenSize screenSize_;
  bool wideScreenOption_ = false;
  bool wideDisplay_ = false;
  // The display device's share of the settings, lent to it for the run.
  DisplaySettings displaySettings_;
};
