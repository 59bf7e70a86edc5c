#pragma once
// The settings the framework keeps between runs, read once at start-up and written back at
// exit. Values not written back (the sound switches, "ActivateLinks", the video-memory limits)
// change only by editing the settings file.
#include "framework/app/CommandLine.h"
#include "framework/core/String.h"

struct Settings {
  bool soundsOn = true;
  int soundsVolume = 100;  // 0..100
  bool musicOn = true;
  int musicVolume = 50;  // 0..100
  bool fullScreen = true;
  bool wideScreen = false;
  bool hardwareAcceleration = true;
  // "-no3d" turned acceleration off for this run only: the stored switch is kept at exit
  // unless the player turns acceleration on meanwhile.
  bool accelerationOffForThisRun = false;
  bool activateLinks = true;

  // The display self-test's values, below "3DSettings".
  int minVideoMemory = 6;  // megabytes
  int goodVideoMemory = 16;
  int textureManageVideoMemory = 40;
  String lastTestVersion;
  int lastTestBitCount = 0;
  int lastResolution = 0;
  String initError;    // "3DInitError"
  String initWarning;  // "3DInitWarning"
  int freeVideoBlocks = 0;
  String directXVersion;
  bool useDDTM = true;
};

// The subkey of the display self-test's values.
inline constexpr const char* kDisplaySettingsKey = "3DSettings";

// What start-up knows besides the stored values.
struct SettingsContext {
  bool shiftHeld = false;     // held at start: acceleration off for this run
  int desktopBitsPerPixel = 32;  // below 16 forces full screen
};

// The process-wide settings.
Settings& AppSettings();

// Reads every value, from the settings files as they are now. A stored "UseRegistryDefaults" of 1 puts the running application into
// defaults mode (every later read of this run yields its default) and is written back as 0
// at once. "-no3d" on the command line turns acceleration off without reading it, and without
// the next start inheriting it; Shift held at start turns it off and keeps it off.
void ReadSettings(Settings* settings, const CommandLine& commandLine, const SettingsContext& context);

// Writes the values kept between runs, replacing the settings file once; false when the file
// could not take them all.
bool WriteSettings(const Settings& settings);
