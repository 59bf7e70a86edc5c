#pragma once
// The in-game menu of free play: leave for the main menu or the layout grid (asking first when a
// game is in progress), options, tile sets, backgrounds, help, or back to the game. A press
// outside the buttons goes back to the game.
#include <cstdint>

#include "game/play/PanelScreen.h"

class PlayScreen;

class LayoutsMenuDialog : public PanelScreen {
public:
    enum Command : int32_t {
        kMainMenu = 11,
        kLayouts = 12,
        kHelp = 14,
        kOptions = 15,
        kTileSets = 16,
        kBackgrounds = 17,
        kBack = 18,
    };

    // `play` is the screen below, not owned.
    explicit LayoutsMenuDialog(PlayScreen* play);

    void Init() override;
    bool OnCommand(int32_t commandId) override;

private:
    void Leave(int32_t commandId);

    PlayScreen* play_;
};
