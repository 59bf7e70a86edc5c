#pragma once
// The campaign's timeline: after a second's pause the timeline picture fades in over three
// seconds, then the eleven dynasty captions fade in one after another, a second each, at their
// points on the picture, under a title that greets the player.
#include <array>
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

class TimelinePanel : public Widget {
public:
    static constexpr int32_t kCaptionCount = 11;
    static constexpr int32_t kDoneStage = 12;
    static constexpr int32_t kStartDelayMs = 1000;

    // The title greets `playerName`.
    explicit TimelinePanel(const String& playerName);

    void Draw() override;
    void OnCreate() override;
    bool Update() override;

    // 0: the picture fading in; 1..11: that caption fading in; 12: done.
    int32_t GetStage() const { return stage_; }
    int32_t GetAlpha() const { return alpha_; }
    int32_t GetStartDelay() const { return startDelay_; }
    const String& GetTitle() const { return title_; }
    const String& GetCaption(int32_t index) const { return captions_[index]; }

private:
    void DrawCaption(int32_t index, int32_t alpha);

    String playerName_;
    String title_;
    std::array<String, kCaptionCount> captions_;
    BitmapFont* titleFont_ = nullptr;
    BitmapFont* captionFont_ = nullptr;
    int32_t stage_ = 0;
    int32_t alpha_ = 0;
    int32_t startDelay_ = kStartDelayMs;
    bool firstStep_ = true;
};
