#include "framework/app/Application.h"

#include <cstdio>

#include "framework/app/AppGlobals.h"
#include "framework/app/ApplicationUiHost.h"
#include "framework/app/AssetPack.h"
#include "framework/app/BackendClock.h"
#include "framework/app/CrashReport.h"
#include "framework/app/MainWindow.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/Paths.h"
#include "framework/app/Registry.h"
#include "framework/app/Settings.h"
#include "framework/sound/SoundManager.h"
#include "framework/gfx/FrameSize.h"
#include "framework/gfx/ImageOpsBinding.h"
#include "framework/gfx/NullRenderBackend.h"
#include "framework/gfx/SdlDisplayDevice.h"
#include "framework/ui/Button.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"
#include "platform/AtomicFile.h"
#include "platform/CrashHandler.h"
#include "platform/RuntimeFolder.h"
#include "platform/SdlWindowBackend.h"
#include "platform/WindowMessages.h"

namespace {

DisplaySettings DisplayPart(const Settings& s) {
  DisplaySettings d;
  d.fullScreen = s.fullScreen;
  d.wideScreen = s.wideScreen;
  d.hardwareAcceleration = s.hardwareAcceleration;
  d.useDDTM = s.useDDTM;
  d.minVideoMemory = s.minVideoMemory;
  d.goodVideoMemory = s.goodVideoMemory;
  d.textureManageVideoMemory = s.textureManageVideoMemory;
  d.lastTestVersion = s.lastTestVersion;
  d.lastTestBitCount = s.lastTestBitCount;
  d.lastResolution = s.lastResolution;
  d.freeVideoBlocks = s.freeVideoBlocks;
  d.initError = s.initError;
  d.initWarning = s.initWarning;
  d.directXVersion = s.directXVersion;
  return d;
}

// What changed during the run: the mode the player chose, the self-test's verdict, the
// acceleration switch its warnings turn off, and the switches the player changed in the options.
void TakeDisplayPart(const DisplaySettings& d, Settings& s) {
  s.fullScreen = d.fullScreen;
  s.wideScreen = d.wideScreen;
  s.hardwareAcceleration = d.hardwareAcceleration;
  s.useDDTM = d.useDDTM;
  s.lastTestVersion = d.lastTestVersion;
  s.lastTestBitCount = d.lastTestBitCount;
  s.lastResolution = d.lastResolution;
  s.freeVideoBlocks = d.freeVideoBlocks;
  s.initError = d.initError;
  s.initWarning = d.initWarning;
  s.directXVersion = d.directXVersion;
}

}  // namespace

Application::Application(uint32_t frameIntervalMs)
    : WinApp(kTitleId, kClassNameId), frameInterval_(frameIntervalMs) {
  SetUiHost(&ApplicationUiHost::Instance());
}

Application::~Application() {
  // The manager's screens go before the services they use, and the renderer before the window
  // it draws on.
  screenManager_.reset();
  display_.reset();
  mainWindow_.reset();
  soundManager_.reset();
  clock_.reset();
  if (MessageBoxBackend() == backend_.get()) SetMessageBoxBackend(nullptr);
  backend_.reset();
}

Application* Application::Current() { return dynamic_cast<Application*>(WinApp::Current()); }

WindowBackend& Application::Backend() {
  if (!backend_) {
    backend_ = CreateBackend();
    SetMessageBoxBackend(backend_.get());
  }
  return *backend_;
}

std::unique_ptr<WindowBackend> Application::CreateBackend() { return std::make_unique<SdlWindowBackend>(); }

std::unique_ptr<DisplayDevice> Application::CreateDisplayDevice(WindowBackend& backend) {
  SdlDisplayDevice::Environment environment;
  environment.programVersion = Globals().version;
  environment.caption = Globals().title;
  int32_t desktopWidth = 0;
  int32_t desktopHeight = 0;
  int32_t desktopBits = 0;
  if (backend.GetDesktopMode(desktopWidth, desktopHeight, desktopBits)) {
    environment.desktopWidth = desktopWidth;
    environment.desktopHeight = desktopHeight;
    environment.desktopBitsPerPixel = desktopBits;
  }
  environment.screenWidth = screenSize_.width;
  environment.screenHeight = screenSize_.height;
  environment.explicitScreenSize = screenSize_.explicitSize;
  environment.widescreenOption = wideScreenOption_;
  environment.desktopIsWide = wideDisplay_;
  SdlDisplayDevice::BackendFactory factory;
  if (dynamic_cast<SdlWindowBackend*>(&backend)) {
    factory = SdlDisplayDevice::SdlFactory(backend, false);
  } else {
    factory = [](bool quads) -> std::unique_ptr<RenderBackend> {
      if (quads) return nullptr;
      return std::make_unique<NullRenderBackend>();
    };
  }
  return std::make_unique<SdlDisplayDevice>(std::move(factory), displaySettings_, std::move(environment), &backend,
                                            [this] {
                                              if (screenManager_) screenManager_->MarkDirty();
                                            });
}

std::unique_ptr<SoundManager> Application::CreateSoundManager() { return std::make_unique<SoundManager>(); }

bool Application::LoadAssetModule() { return LoadAssetPack(); }

int32_t Application::BindImagePrimitives() { return InitImageOps(); }

std::string Application::InstanceFolder() const { return RuntimeFolder(Globals().title.CStr()); }

bool Application::Fail(int exitCode) {
  startupExitCode_ = exitCode;
  return false;
}

bool Application::CheckSingleInstance() {
  if (HasOption("-restart")) return true;
  switch (singleInstance_.Acquire(InstanceFolder(), Globals().title.CStr())) {
    case SingleInstance::Outcome::RaisedOther:
      Backend().PostQuit(0);
      return false;
    case SingleInstance::Outcome::OtherUnreachable:
      MessageBoxExeId(kOtherCopyId, MB_OK | MB_ICONHAND);
      Backend().PostQuit(0);
      return false;
    case SingleInstance::Outcome::First:
    case SingleInstance::Outcome::Unchecked:
      return true;
  }
  return true;
}

void Application::RemoveAbandonedWrites() {
  // Only while holding the lock: a copy started with -restart may overlap one still quitting.
  if (!singleInstance_.HoldsLock()) return;
  const AppGlobals& g = Globals();
  if (!g.companyKey.IsEmpty()) AtomicFile::RemoveAbandoned(FolderOfPath(Registry::FilePath(Hive::kCurrentUser)).CStr());
  for (const String* folder : {&g.userDataFolder, &g.sharedDataFolder}) {
    if (!folder->IsEmpty()) AtomicFile::RemoveAbandoned(folder->CStr());
  }
}

bool Application::Init() {
  WindowBackend& backend = Backend();
  InstallCrashReport();
  CrashHandler::SetReportFolder(Globals().sharedDataFolder.CStr());

  if (!CheckSingleInstance()) return Fail(0);
  RemoveAbandonedWrites();

  int32_t desktopWidth = 0;
  int32_t desktopHeight = 0;
  int32_t desktopBits = 0;
  const bool haveDesktop = backend.GetDesktopMode(desktopWidth, desktopHeight, desktopBits);

  Settings& settings = AppSettings();
  SettingsContext context;
  context.shiftHeld = backend.IsKeyDown(VK_SHIFT);
  context.desktopBitsPerPixel = haveDesktop ? desktopBits : 32;
  ReadSettings(&settings, GetCommandLine(), context);

  screenSize_ = ChooseScreenSize(GetCommandLine(), desktopWidth, desktopHeight);
  wideScreenOption_ = HasOption("-Widescreen");
  wideDisplay_ = ::IsWideDisplay(screenSize_.width, screenSize_.height);

  ReadFileVersion();
  CrashHandler::SetProgram(Globals().programPath.CStr(), Globals().version.CStr());

  if (!LoadAssetModule()) {
    MessageBoxExeId(kNoPackId, MB_OK | MB_ICONHAND);
    backend.PostQuit(0);
    return Fail(1);
  }
  // Without a desktop there is nowhere to open the window: the same failure as a window that
  // cannot be created, reported as such rather than ending silently.
  if (!haveDesktop) {
    MessageBoxExeId(kNoWindowId, MB_OK | MB_ICONHAND);
    return Fail(1);
  }
  CrashHandler::SetScreenMode(desktopWidth, desktopHeight, desktopBits);
  const bool fullScreen = settings.fullScreen || desktopBits < 16;

  LoadUserData();
  // The table keeps the builds it holds, so the game still draws; the player is told.
  if (BindImagePrimitives() == 0) MessageBoxExeId(kGraphicsLibraryId, MB_OK | MB_ICONHAND);
  displaySettings_ = DisplayPart(settings);

  clock_ = std::make_unique<BackendClock>(backend);
  display_ = CreateDisplayDevice(backend);
  soundManager_ = CreateSoundManager();
  screenManager_ = std::make_unique<ScreenManager>(*display_, *clock_, soundManager_.get());
  // The manager's display switches are the device's, so a switch made from the options reaches
  // the next mode and is written back at exit.
  screenManager_->UseDisplaySettings(displaySettings_);
  screenManager_->SetWideDisplay(wideDisplay_);

  mainWindow_ = std::make_unique<MainWindow>(backend, *this);
  if (!mainWindow_->Create(screenManager_.get(), kFrameWidth, kFrameHeight, false)) {
    MessageBoxExeId(kNoWindowId, MB_OK | MB_ICONHAND);
    return Fail(1);
  }
  if (!screenManager_->Start(mainWindow_.get(), fullScreen, frameInterval_)) return Fail(1);
  screenManager_->SetAudioSettings(
      {settings.soundsOn, settings.soundsVolume, settings.musicOn, settings.musicVolume});
  screenManager_->LoadSound(Button::kClickSoundId, false);
  backend.ShowWindow();
  if (Screen* splash = CreateSplashScreen()) screenManager_->BeginTransition(splash);
  return WinApp::Init();
}

void Application::PollRaiseRequests() {
  if (singleInstance_.TakeRaiseRequest() && backend_) backend_->Raise();
}

void Application::Dispatch(const WindowMessage& message) {
  if (mainWindow_) mainWindow_->HandleMessage(message);
}

// Frames run on the frame timer alone: frames from the idle loop as well would double their rate.
// While nothing waits, the loop rests until input arrives or the timer falls due at the next frame
// boundary.
int Application::Run() {
  WindowBackend& backend = Backend();
  // The display's loss ends the process wherever it stands, and the quit with it.
  backend.SetDisplayLostKeeper([this] { KeepWithoutDisplay(); });
  WindowMessage message;
  for (;;) {
    PollRaiseRequests();
    if (!backend.PeekMessage(message)) backend.WaitMessage(message);
    if (message.message == WM_QUIT) break;
    Dispatch(message);
  }
  Exit();
  backend.SetDisplayLostKeeper(nullptr);
  return static_cast<int>(static_cast<int64_t>(message.wParam));
}

void Application::Exit() {
  Settings& settings = AppSettings();
  TakeRunSettings(settings);
  if (display_ && screenManager_ && !settings.initWarning.IsEmpty() &&
      !screenManager_->WasDirect3DInUseAtStart() && display_->IsDirect3DInUse()) {
    // The question comes after the window has closed, when the player expects nothing more: the
    // bell calls them to it.
    Backend().Beep();
    if (MessageBoxResId(kKeepAccelerationId, MB_YESNO | MB_ICONQUESTION) == IDNO)
      settings.hardwareAcceleration = false;
  }
  Keep(settings);
}

// All of a quit but the question, which needs the display, and the closing of the window.
void Application::KeepWithoutDisplay() {
  if (screenManager_) screenManager_->TellScreensOfClose();
  Settings& settings = AppSettings();
  TakeRunSettings(settings);
  Keep(settings);
}

void Application::TakeRunSettings(Settings& settings) const {
  if (display_) TakeDisplayPart(displaySettings_, settings);
  if (screenManager_) {
    settings.soundsVolume = screenManager_->GetAudioSettings().soundVolume;
    settings.musicVolume = screenManager_->GetAudioSettings().musicVolume;
  }
}

void Application::Keep(const Settings& settings) {
  // Told, not dropped: the next start would otherwise bring back older settings unexplained.
  if (!WriteSettings(settings))
    std::fprintf(stderr, "quillomar: could not save the settings in %s\n", Registry::FilePath(Hive::kCurrentUser).CStr());
  SaveUserData();
}

bool Application::Quit() {
  if (!CanQuit()) return false;
  if (screenManager_) screenManager_->CloseAllScreens();
  // The renderer and its textures hold on to the window: they go first.
  if (display_) display_->Close();
  if (mainWindow_ && mainWindow_->HasHandle()) {
    mainWindow_->DestroyWindow();
  } else {
    Backend().PostQuit(0);
  }
  return true;
}
