#pragma once
// The banner of the won-level box: a picture with a heading and the level's caption, which fades
// in after a short delay. Its clock is the widget's own, so it waits while the box is disabled.
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

class MessageBanner : public Widget {
public:
    static constexpr int32_t kImage = 301;
    static constexpr int32_t kFontImage = 302;
    static constexpr int32_t kFontMetrics = 303;
    static constexpr int32_t kHeadingText = 34;
    static constexpr int32_t kDelayMs = 600;
    static constexpr int32_t kFadeMs = 1500;

    explicit MessageBanner(const String& body);

    void OnCreate() override;
    void Draw() override;
    bool Update() override;

    int32_t Alpha() const { return alpha_; }
    int BodyLineCount() const { return bodyLines_; }

private:
    BitmapFont* font_ = nullptr;
    String heading_;
    String body_;
    int32_t delay_ = kDelayMs;
    // Time spent fading, so that the banner is opaque exactly kFadeMs after it starts to show
    // whatever the frame times were.
    int32_t fadeElapsed_ = 0;
    int32_t alpha_ = 0;
    int bodyLines_ = 0;
};
