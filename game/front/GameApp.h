#pragma once
// The game's application object: the hooks through which the framework's application reaches
// the game.
#include "framework/app/Application.h"
#include "framework/ui/SplashScreen.h"

class GameApp : public Application {
public:
    // The game runs 40 frames a second.
    static constexpr uint32_t kFrameIntervalMs = 25;

    GameApp() : Application(kFrameIntervalMs) {}

    Screen* CreateSplashScreen() override { return new SplashScreen(true); }
    // The main menu, after the splash.
    void ShowMainScreen() override;
    // The player list, then the current player's profile; missing or damaged files give defaults
    // without a word.
    void LoadUserData() override;
    // The current player's profile; nothing while no player is current.
    void SaveUserData() override;
};
