#include "game/front/LayoutPagerLabel.h"

#include <algorithm>
#include <utility>

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "game/model/PlayerProfile.h"

namespace {

constexpr int32_t kTitleId = 16;
constexpr int32_t kCompletionFormat = 20;
// The gaps left and right of the caption buttons, from a page arrow's edge to a button's.
constexpr int32_t kPreviousGapLeft = 156;
constexpr int32_t kPreviousGapWidth = 89;
constexpr int32_t kNextGapLeft = 563;
constexpr int32_t kNextGapWidth = 73;
constexpr int32_t kRangeY = 559;
// The title's baseline: its capitals then start clear of the screen's top edge.
constexpr int32_t kTitleY = 26;

}  // namespace

LayoutPagerLabel::LayoutPagerLabel(int32_t layoutCount, std::function<bool()> buildStep)
    : layoutCount_(layoutCount), buildStep_(std::move(buildStep)) {}

void LayoutPagerLabel::OnCreate() {
    titleFont_ = GetFont(199, 200);
    rangeFont_ = GetFont(kRangeFontImage, kRangeFontMetrics);
    completionFont_ = GetFont(kCompletionFontImage, kCompletionFontMetrics);
    title_ = String(kTitleId);
    const PlayerProfile& profile = CurrentProfile();
    int32_t count = std::min<int32_t>(layoutCount_, PlayerProfile::kLayoutSlots);
    int32_t completed = 0;
    for (int32_t i = 0; i < count; ++i) completed += profile.bestTimes[i] != PlayerProfile::kNoTime;
    if (completed > 0) completion_.FormatResString(kCompletionFormat, completed, layoutCount_);
}

void LayoutPagerLabel::SetRanges(int32_t previousFirst, int32_t previousLast, int32_t nextFirst,
                                 int32_t nextLast) {
    previousRange_.Format("%d-%d", previousFirst + 1, previousLast + 1);
    nextRange_.Format("%d-%d", nextFirst + 1, nextLast + 1);
}

bool LayoutPagerLabel::Update() {
    if (!buildStep_ || !buildStep_()) EnableUpdates(false);
    return true;
}

void LayoutPagerLabel::Draw() {
    if (titleFont_) titleFont_->DrawCentered(this, 0, kTitleY, title_.CStr(), kFrameWidth, 100, 100, 255);
    if (rangeFont_) {
        rangeFont_->DrawCentered(this, kPreviousGapLeft, kRangeY, previousRange_.CStr(), kPreviousGapWidth, 100,
                                 100, 255);
        rangeFont_->DrawCentered(this, kNextGapLeft, kRangeY, nextRange_.CStr(), kNextGapWidth, 100, 100, 255);
    }
    if (completionFont_) {
        completionFont_->DrawCentered(this, 0, kCompletionY, completion_.CStr(), kFrameWidth, 100, 100, 255);
    }
}
