#pragma once
// Asks for a new player's name. The first-player form (opened when a command needs a player and
// none exists) has OK only; the form opened from the player list also has Cancel.
#include <cstdint>

#include "game/play/PanelScreen.h"

class EditBox;

class NewPlayerDialog : public PanelScreen {
public:
    enum Command : int32_t { kOk = 1, kCancel = 2 };

    explicit NewPlayerDialog(bool firstPlayer);

    void Init() override;
    bool OnCommand(int32_t commandId) override;
    void OnEditEnter(Widget* editBox) override;
    // Adds the typed name as a player and closes; an empty name or a full list shows a notice
    // instead.
    void Accept();

    EditBox* GetEditBox() const { return edit_; }
    bool IsFirstPlayerForm() const { return firstPlayer_; }

private:
    bool firstPlayer_;
    EditBox* edit_ = nullptr;
    bool closing_ = false;
};
