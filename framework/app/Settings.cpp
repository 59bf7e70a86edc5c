#include "framework/app/Settings.h"

#include <algorithm>

#include "framework/app/Registry.h"
#include "framework/app/WinApp.h"

Settings& AppSettings() {
  static Settings settings;
  return settings;
}

void ReadSettings(Settings* s, const CommandLine& commandLine, const SettingsContext& context) {
  const Settings defaults;
  const Hive user = Hive::kCurrentUser;
  Registry::Reload();
  if (Registry::ReadBool(nullptr, "UseRegistryDefaults", false, user)) {
    if (WinApp* app = WinApp::Current()) app->SetUseRegistryDefaults(true);
    Registry::WriteBool(nullptr, "UseRegistryDefaults", false);
  }
  s->soundsOn = Registry::ReadBool(nullptr, "SoundsOn", defaults.soundsOn, user);
  s->soundsVolume = std::clamp(Registry::ReadInt(nullptr, "SoundsVolume", defaults.soundsVolume, user), 0, 100);
  s->musicOn = Registry::ReadBool(nullptr, "MusicOn", defaults.musicOn, user);
  s->musicVolume = std::clamp(Registry::ReadInt(nullptr, "MusicVolume", defaults.musicVolume, user), 0, 100);
  s->fullScreen = Registry::ReadBool(nullptr, "FullScreen", defaults.fullScreen, user) ||
                  context.desktopBitsPerPixel < 16;
  s->wideScreen = Registry::ReadBool(nullptr, "WideScreen", defaults.wideScreen, user);
  s->accelerationOffForThisRun = commandLine.HasOption("-no3d");
  s->hardwareAcceleration = !s->accelerationOffForThisRun && !context.shiftHeld &&
                            Registry::ReadBool(nullptr, "HardwareAcceleration", defaults.hardwareAcceleration, user);
  s->activateLinks = Registry::ReadBool(nullptr, "ActivateLinks", defaults.activateLinks, Hive::kLocalMachine);

  const char* key = kDisplaySettingsKey;
  s->minVideoMemory = Registry::ReadInt(key, "MinVideoMemory", defaults.minVideoMemory, user);
  s->goodVideoMemory = Registry::ReadInt(key, "GoodVideoMemory", defaults.goodVideoMemory, user);
  s->textureManageVideoMemory =
      Registry::ReadInt(key, "TextureManageVideoMemory", defaults.textureManageVideoMemory, user);
  s->lastTestVersion = Registry::ReadString(key, "LastTestVersion", "", user);
  s->lastTestBitCount = Registry::ReadInt(key, "LastTestBitCount", defaults.lastTestBitCount, user);
  s->lastResolution = Registry::ReadInt(key, "LastResolution", defaults.lastResolution, user);
  s->initError = Registry::ReadString(key, "3DInitError", "", user);
  s->initWarning = Registry::ReadString(key, "3DInitWarning", "", user);
  s->freeVideoBlocks = Registry::ReadInt(key, "FreeVideoBlocks", defaults.freeVideoBlocks, user);
  s->directXVersion = Registry::ReadString(key, "DirectXVersion", "", user);
  s->useDDTM = Registry::ReadBool(key, "UseDDTM", defaults.useDDTM, user);
}

bool WriteSettings(const Settings& s) {
  Registry::Batch batch;
  Registry::WriteInt(nullptr, "SoundsVolume", s.soundsVolume);
  Registry::WriteInt(nullptr, "MusicVolume", s.musicVolume);
  Registry::WriteBool(nullptr, "FullScreen", s.fullScreen);
  Registry::WriteBool(nullptr, "WideScreen", s.wideScreen);
  if (s.hardwareAcceleration || !s.accelerationOffForThisRun)
    Registry::WriteBool(nullptr, "HardwareAcceleration", s.hardwareAcceleration);
  const char* key = kDisplaySettingsKey;
  Registry::WriteString(key, "LastTestVersion", s.lastTestVersion.CStr());
  Registry::WriteInt(key, "LastTestBitCount", s.lastTestBitCount);
  Registry::WriteInt(key, "LastResolution", s.lastResolution);
  Registry::WriteString(key, "3DInitError", s.initError.CStr());
  Registry::WriteString(key, "3DInitWarning", s.initWarning.CStr());
  Registry::WriteInt(key, "FreeVideoBlocks", s.freeVideoBlocks);
  Registry::WriteString(key, "DirectXVersion", s.directXVersion.CStr());
  Registry::WriteBool(key, "UseDDTM", s.useDDTM);
  return batch.End();
}
