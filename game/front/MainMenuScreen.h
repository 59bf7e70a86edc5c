#pragma once
// The game's home: the greeting, the two game modes, options, help, the player list, quitting,
// and an optional partner logo. The modes and the options need a current player; without one
// the new-player box opens first and the command runs once a player exists.
#include <cstdint>

#include "framework/ui/Screen.h"

class MainMenuScreen : public Screen {
public:
    static constexpr int32_t kPlayers = 1;
    static constexpr int32_t kOptions = 131;
    static constexpr int32_t kFreePlay = 132;
    static constexpr int32_t kQuit = 134;
    static constexpr int32_t kHelp = 135;
    static constexpr int32_t kStory = 142;
    static constexpr int32_t kMusic = 335;
    static constexpr int32_t kLogoImage = 0xFF03;
    static constexpr int32_t kPlayersTitle = 171, kProfileUnreadableText = 186;

    MainMenuScreen();

    bool OnCommand(int32_t commandId) override;
    void OnActiveChanged() override;
    void OnTransitionDone() override;
    // True when a player exists; else opens the first-player box and keeps the command.
    bool RequirePlayer(int32_t commandId);

    int32_t PendingCommand() const { return pending_; }

protected:
    void OnAttach() override;

private:
    void AddPartnerLogo();
    void Push(Screen* dialog);
    // Tells the player once when their profile or the player list could not be read and so will
    // not be saved, else when a save of either failed.
    void TellOfPlayerFiles();

    int32_t pending_ = -1;
};
