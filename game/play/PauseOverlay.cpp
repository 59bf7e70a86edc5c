#include "game/play/PauseOverlay.h"

#include <algorithm>

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/ScreenManager.h"

void PauseOverlay::OnCreate()
{
    text_.LoadResString(40);
    font_ = GetFont(296, 295);
    EnableClicks(true);
    if (ScreenManager* manager = GetManager()) manager->PauseMusic(true);
}

void PauseOverlay::Draw()
{
    if (font_) {
        const int lineStep = std::max(font_->Metrics().rowHeight - 1, 1);
        font_->DrawWrappedCentered(this, 0, 200, kFrameWidth, 400, text_.CStr(), lineStep, false, 255);
    }
    // A click anywhere, beside the text too, must reach the overlay.
    AddDrawnRect(Rect{0, 0, kFrameWidth, kFrameHeight});
}

bool PauseOverlay::OnLButtonUp(uint32_t keys, int32_t x, int32_t y)
{
    ScreenManager* manager = GetManager();
    if (!manager || resumed_) return true;
    resumed_ = true;
    manager->PauseMusic(false);
    manager->PopScreens(true, 1);
    return true;
}
