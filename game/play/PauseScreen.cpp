#include "game/play/PauseScreen.h"

#include "game/play/PauseOverlay.h"

void PauseScreen::OnAttach()
{
    overlay_ = new PauseOverlay;
    AddWidget(overlay_, 0, 0);
}
