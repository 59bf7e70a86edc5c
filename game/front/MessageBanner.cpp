#include "game/front/MessageBanner.h"

#include <algorithm>

#include "framework/gfx/BitmapFont.h"

namespace {

constexpr int32_t kBodyX = 20;
constexpr int32_t kBodyWidth = 270;
constexpr int32_t kBodyHeight = 1000;
constexpr int32_t kBodyLineStep = 21;

}  // namespace

MessageBanner::MessageBanner(const String& body) : body_(body) {}

void MessageBanner::OnCreate()
{
    heading_.LoadResString(kHeadingText);
    font_ = GetFont(kFontImage, kFontMetrics);
    if (font_)
        bodyLines_ = font_->DrawWrappedCentered(this, kBodyX, 0, kBodyWidth, kBodyHeight, body_.CStr(),
                                                kBodyLineStep, true, 255);
    EnableUpdates(true);
}

void MessageBanner::Draw()
{
    if (alpha_ <= 0)
        return;
    DrawImage(0, 0, kImage, nullptr, true, 100, 100, alpha_);
    if (!font_)
        return;
    font_->DrawCentered(this, -3, 22, heading_.CStr(), 310, 100, 100, alpha_);
    const int32_t top = bodyLines_ <= 2 ? 54 : 44;
    font_->DrawWrappedCentered(this, kBodyX, top, kBodyWidth, kBodyHeight, body_.CStr(), kBodyLineStep,
                               false, alpha_);
}

bool MessageBanner::Update()
{
    const int32_t delta = static_cast<int32_t>(std::min<uint32_t>(GetFrameDelta(), kDelayMs + kFadeMs));
    if (delay_ > 0) {
        delay_ -= delta;
        return false;
    }
    fadeElapsed_ = std::min(fadeElapsed_ + delta, kFadeMs);
    alpha_ = fadeElapsed_ * 255 / kFadeMs;
    if (alpha_ >= 255) {
        alpha_ = 255;
        EnableUpdates(false);
    }
    return true;
}
