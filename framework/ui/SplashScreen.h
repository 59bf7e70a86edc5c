#pragma once

#include <cstdint>

#include "framework/ui/Screen.h"

// The first screen of every run. With a "SplashLogo" picture in the program folder that logo is
// shown alone first (and web links are off for the run); then the framework's own splash, after
// which the application shows its main screen.
class SplashScreen : public Screen {
public:
    static constexpr int32_t kLogoImageId = 0xFF01;
    static constexpr int32_t kReleasedSoundId = 106;

    explicit SplashScreen(bool logo);
    ~SplashScreen() override;

    bool HasLogo() const { return logo_; }

protected:
    void OnAttach() override;

private:
    bool logo_;
};
