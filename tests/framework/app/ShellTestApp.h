#pragma once
// An application on the null window backend, with the game's hooks counted, for the tests of the
// application shell.
#include <memory>
#include <string>

#include "framework/app/Application.h"
#include "framework/sound/SoundManager.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "platform/NullWindowBackend.h"

class ShellTestApp : public Application {
public:
  ShellTestApp() : Application(25) {}

  Screen* CreateSplashScreen() override { return nullptr; }
  void ShowMainScreen() override {}
  void LoadUserData() override { ++userDataLoads; }
  void SaveUserData() override { ++userDataSaves; }
  bool CanQuit() override {
    ++quitQuestions;
    return allowQuit;
  }

  NullWindowBackend& Null() { return static_cast<NullWindowBackend&>(Backend()); }

  bool packPresent = true;
  bool imagePrimitivesBind = true;
  bool allowQuit = true;
  std::string instanceFolder;
  int userDataLoads = 0;
  int userDataSaves = 0;
  int quitQuestions = 0;

protected:
  std::unique_ptr<WindowBackend> CreateBackend() override { return std::make_unique<NullWindowBackend>(); }
  // Tests run mute: no audio device is opened.
  std::unique_ptr<SoundManager> CreateSoundManager() override { return nullptr; }
  bool LoadAssetModule() override { return packPresent; }
  int32_t BindImagePrimitives() override { return imagePrimitivesBind ? Application::BindImagePrimitives() : 0; }
  std::string InstanceFolder() const override { return instanceFolder; }
};

// The executable's strings the start-up shows.
inline void AddStartupStrings(MemoryResources& exe) {
  exe.AddString(64, "Quillomar");
  exe.AddString(65, "QuillomarWnd");
  exe.AddString(71, "Unable to create the main game window.");
  exe.AddString(72, "Unable to initialize the game.\nPlease close any games you already have running and try again.");
  exe.AddString(73, "Unable to initialize the graphics library.\nIf you experience display problems, please re-boot\n"
                    "your computer and try again. ");
  exe.AddString(75, "Cannot locate the resource file. Please download and re-install the game.");
}
