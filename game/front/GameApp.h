#pragma once
// The game's application object. The screens of the game are not part of it yet: it starts on
// the framework's empty stage and keeps no user data.
#include "framework/app/Application.h"

class GameApp : public Application {
public:
  // The game runs 40 frames a second.
  static constexpr uint32_t kFrameIntervalMs = 25;

  GameApp() : Application(kFrameIntervalMs) {}

  Screen* CreateSplashScreen() override { return nullptr; }
  void ShowMainScreen() override {}
  void LoadUserData() override {}
  void SaveUserData() override {}
};
