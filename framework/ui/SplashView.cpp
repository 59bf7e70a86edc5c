#include "framework/ui/SplashView.h"

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/ScreenManager.h"
#include "framework/ui/SplashScreen.h"
#include "framework/ui/UiHost.h"

namespace {

constexpr int32_t kFontImageId = 58;
constexpr int32_t kFontMetricsId = 57;
constexpr int32_t kVersionRight = 790;
constexpr int32_t kVersionBaseline = 595;

struct Placed {
    int32_t imageId;
    int32_t x;
    int32_t y;
};

// The executable's pictures of the plain splash, in drawing order.
constexpr Placed kPictures[] = {
    {79, 277, 109}, {77, 224, 146}, {80, 361, 410}, {55, 333, 426}, {81, 466, 426}, {78, 226, 565},
};

}  // namespace

SplashView::SplashView(bool logo) : logo_(logo) {}

void SplashView::OnCreate() {
    ScreenManager* manager = GetManager();
    if (manager) {
        for (const Placed& picture : kPictures) manager->LoadExeImage(picture.imageId);
        manager->LoadExeImage(kFontImageId);
    }
    if (logo_) {
        if (UiHost* host = GetUiHost()) host->SetLinksActive(false);
        int32_t width = 0, height = 0;
        GetImageSize(SplashScreen::kLogoImageId, width, height);
        logoX_ = (kFrameWidth - width) / 2;
        logoY_ = (kFrameHeight - height) / 3;
    }
    EnableUpdates(true);
    font_ = GetExeFont(kFontImageId, kFontMetricsId);
}

void SplashView::Draw() {
    const Rect frame{0, 0, kFrameWidth, kFrameHeight};
    if (logo_) {
        FillRect(frame, 0, false);
        DrawImage(logoX_, logoY_, SplashScreen::kLogoImageId, nullptr, true, 100, 100, 255);
        return;
    }
    FillRect(frame, kGroundColour, false);
    for (const Placed& picture : kPictures) {
        DrawImage(picture.x, picture.y, picture.imageId, nullptr, true, 100, 100, 255);
    }
    UiHost* host = GetUiHost();
    String version = host ? host->Version() : String();
    if (font_ && !version.IsEmpty()) {
        font_->DrawRightAligned(this, kVersionRight, kVersionBaseline, version.CStr(), 100, 100,
                                255);
    }
}

// The step onward happens once: afterwards the countdown rests at 0.
bool SplashView::Update() {
    if (countdown_ == kNotStarted) {
        countdown_ = kShowMs;
        return false;
    }
    if (countdown_ <= 0) return false;
    countdown_ -= static_cast<int32_t>(GetFrameDelta());
    if (countdown_ > 0) return false;
    countdown_ = 0;
    if (logo_) {
        if (ScreenManager* manager = GetManager()) manager->BeginTransition(new SplashScreen(false));
    } else if (UiHost* host = GetUiHost()) {
        host->ShowMainScreen();
    }
    return false;
}
