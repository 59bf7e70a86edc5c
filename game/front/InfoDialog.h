#pragma once
// A notice box with one OK button; whoever opens it pushes it and then sets its title and lines.
#include <cstdint>

#include "game/play/PanelScreen.h"

class TextButton;

class InfoDialog : public PanelScreen {
public:
    static constexpr int32_t kOkCommand = 1;

    InfoDialog();

    void Init() override;
    bool OnCommand(int32_t commandId) override;

    TextButton* GetOkButton() const { return ok_; }

    // Pushes a box (overlay, no dimming, faded in) over the manager's screens with `titleId` and
    // one line `lineId` across the box at y 90.
    static InfoDialog* Open(ScreenManager* manager, int32_t titleId, int32_t lineId);

private:
    TextButton* ok_ = nullptr;
};
