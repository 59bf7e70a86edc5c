#pragma once
// The main menu's picture with its two moving figures and the greeting of the current player.
#include "framework/ui/Widget.h"

class BitmapFont;

class MenuBackground : public Widget {
public:
    static constexpr int32_t kImageId = 109;
    static constexpr int32_t kGreetingId = 113;
    static constexpr int32_t kFontImage = 296, kFontMetrics = 295;
    static constexpr int32_t kLeftFigure = 150, kRightFigure = 149;
    static constexpr int32_t kFigureFrameWidth = 34;

    void Draw() override;
    void OnCreate() override;

private:
    BitmapFont* font_ = nullptr;
};
