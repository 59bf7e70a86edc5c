#include "game/front/MenuBackground.h"

#include "framework/core/String.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/AnimatedSprite.h"
#include "game/model/PlayerProfile.h"

namespace {

// Both figures wander around frame 10, four frames either way, holding at each turn.
void AddFigure(Widget* owner, int32_t imageId, int32_t x, int32_t y) {
    auto* figure = new AnimatedSprite();
    figure->SetImage(x, y, imageId, MenuBackground::kFigureFrameWidth);
    owner->AddEffect(figure);
    figure->Start(100, 10, 4, 4, 100, -1, 0, 1);
}

}  // namespace

void MenuBackground::OnCreate() {
    font_ = GetFont(kFontImage, kFontMetrics);
    AddFigure(this, kLeftFigure, 149, 326);
    AddFigure(this, kRightFigure, 628, 326);
    EnableUpdates(true);
}

void MenuBackground::Draw() {
    DrawImage(0, 0, kImageId, nullptr, true);
    // Before the first player is made there is nobody to greet, and "Welcome, !" reads as a fault.
    if (!font_ || CurrentProfile().name.IsEmpty()) return;
    String greeting;
    greeting.FormatResString(kGreetingId, CurrentProfile().name.CStr());
    font_->DrawCentered(this, 0, 482, greeting.CStr(), kFrameWidth, 100, 100, 255);
}
