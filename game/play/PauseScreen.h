#pragma once
// Veils the game while it is paused; closes itself at the next click.
#include "framework/ui/Screen.h"

class PauseOverlay;

class PauseScreen : public Screen {
public:
    PauseScreen() : Screen(0, 0) {}

    PauseOverlay* Overlay() const { return overlay_; }

protected:
    void OnAttach() override;

private:
    PauseOverlay* overlay_ = nullptr;
};
