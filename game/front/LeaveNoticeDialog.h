#pragma once
// The notice shown when the player leaves the story for the main menu: a line of advice, a box to
// tick so it is not shown again, and OK, which goes to the main menu.
#include <cstdint>

#include "game/play/PanelScreen.h"

class CheckBox;

class LeaveNoticeDialog : public PanelScreen {
public:
    static constexpr int32_t kOkCommand = 1;

    LeaveNoticeDialog();

    void Init() override;
    bool OnCommand(int32_t commandId) override;

    CheckBox* GetDontShowBox() const { return dontShow_; }

private:
    CheckBox* dontShow_ = nullptr;
};
