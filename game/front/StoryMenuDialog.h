#pragma once
// The in-game menu of the story: leave for the main menu (asking first when a game is in
// progress, else showing the leave notice unless the player switched it off), options, tile sets,
// help, or back to the game. A press outside the buttons goes back to the game.
#include <cstdint>

#include "game/play/PanelScreen.h"

class PlayScreen;

class StoryMenuDialog : public PanelScreen {
public:
    enum Command : int32_t {
        kMainMenu = 1,
        kHelp = 2,
        kOptions = 3,
        kTileSets = 4,
        kBack = 5,
    };

    // `play` is the screen below, not owned.
    explicit StoryMenuDialog(PlayScreen* play);

    void Init() override;
    bool OnCommand(int32_t commandId) override;

private:
    void Leave();

    PlayScreen* play_;
};
