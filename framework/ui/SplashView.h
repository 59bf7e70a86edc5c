#pragma once

#include <cstdint>

#include "framework/ui/Widget.h"

class BitmapFont;

// What the splash screen shows for two seconds: the logo on black, or the framework's pictures
// on dark blue with the version in the bottom right corner. When the time is up the logo makes
// way for the plain splash, and the plain splash for the application's main screen.
class SplashView : public Widget {
public:
    static constexpr int32_t kShowMs = 2000;
    static constexpr uint32_t kGroundColour = 0x663300;

    explicit SplashView(bool logo);

    void Draw() override;
    void OnCreate() override;
    bool Update() override;

    int32_t GetCountdown() const { return countdown_; }

private:
    static constexpr int32_t kNotStarted = 65535;

    int32_t countdown_ = kNotStarted;
    int32_t logoX_ = 0;
    int32_t logoY_ = 0;
    bool logo_;
    BitmapFont* font_ = nullptr;
};
