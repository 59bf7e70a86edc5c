#include "game/front/TimelinePanel.h"

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/Screen.h"

namespace {

constexpr int32_t kTitleId = 150;
constexpr int32_t kCaptionsId = 104;
constexpr int32_t kTitleFontImage = 296;
constexpr int32_t kTitleFontMetrics = 295;
constexpr int32_t kCaptionFontImage = 302;
constexpr int32_t kCaptionFontMetrics = 303;
constexpr int32_t kBackdropId = 361;
constexpr int32_t kTimelineId = 363;
constexpr int32_t kPictureFadeMs = 3000;
constexpr int32_t kCaptionFadeMs = 1000;

struct Point {
    int32_t x;
    int32_t y;
};

constexpr Point kCaptionPoints[TimelinePanel::kCaptionCount] = {
    {409, 115}, {538, 136}, {646, 203}, {633, 347}, {524, 390}, {403, 433},
    {261, 418}, {145, 334}, {146, 181}, {254, 120}, {383, 231}};

}  // namespace

TimelinePanel::TimelinePanel(const String& playerName) : playerName_(playerName) {}

void TimelinePanel::OnCreate() {
    title_.FormatResString(kTitleId, playerName_.CStr());
    String captions(kCaptionsId);
    int position = 0;
    for (String& caption : captions_) caption = captions.Tokenize('\t', &position);
    titleFont_ = GetFont(kTitleFontImage, kTitleFontMetrics);
    captionFont_ = GetFont(kCaptionFontImage, kCaptionFontMetrics);
    EnableUpdates(true);
}

bool TimelinePanel::Update() {
    if (stage_ >= kDoneStage) return false;
    if (startDelay_ > 0) {
        startDelay_ = firstStep_ ? kStartDelayMs - 1 : startDelay_ - static_cast<int32_t>(GetFrameDelta());
        firstStep_ = false;
        if (startDelay_ > 0) return false;
        firstStep_ = true;
        return false;
    }
    int32_t elapsed = static_cast<int32_t>(GetFrameDelta());
    if (stage_ == 0) {
        if (firstStep_ && GetScreen()) GetScreen()->SetOpaque(true);
        alpha_ += 255 * elapsed / kPictureFadeMs;
    } else {
        alpha_ += 255 * elapsed / kCaptionFadeMs;
    }
    firstStep_ = false;
    if (alpha_ >= 256) {
        alpha_ = 0;
        ++stage_;
        if (stage_ >= kDoneStage) EnableUpdates(false);
    }
    return true;
}

void TimelinePanel::DrawCaption(int32_t index, int32_t alpha) {
    if (!captionFont_) return;
    const Point& point = kCaptionPoints[index];
    captionFont_->DrawLines(this, point.x, point.y, captions_[index].CStr(),
                            captionFont_->Metrics().rowHeight - 7, 100, 100, alpha);
}

void TimelinePanel::Draw() {
    DrawImage(0, 0, kBackdropId, nullptr, true);
    if (titleFont_) {
        titleFont_->DrawWrappedCentered(this, 0, 45, kFrameWidth, kFrameHeight, title_.CStr(),
                                        titleFont_->Metrics().rowHeight - 5, false, 255);
    }
    DrawImage(68, 119, kTimelineId, nullptr, true, 100, 100, stage_ == 0 ? alpha_ : 255);
    for (int32_t stage = 1; stage < stage_ && stage <= kCaptionCount; ++stage) {
        DrawCaption(stage - 1, 255);
    }
    if (stage_ >= 1 && stage_ <= kCaptionCount) DrawCaption(stage_ - 1, alpha_);
}
