#include "game/front/BackgroundSelectScreen.h"

#include <algorithm>

#include "framework/ui/Button.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/BackgroundThumb.h"
#include "game/front/ScreenBelow.h"
#include "game/front/UnsavedNotice.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 11;
constexpr int32_t kRotationCaption = 10;
constexpr int32_t kApplyLabel = 9;
constexpr int32_t kCloseLabel = 8;
constexpr int32_t kCaptionFontImage = 290;
constexpr int32_t kCaptionFontMetrics = 289;
constexpr int32_t kFirstBackgrounds = 4;

struct Place {
    int32_t x, y;
};

constexpr Place kThumbPlaces[BackgroundSelectScreen::kThumbCount] = {
    {46, 97}, {246, 97}, {446, 97}, {46, 218}, {246, 218}, {446, 218}};

}  // namespace

BackgroundSelectScreen::BackgroundSelectScreen() : PanelScreen(40, 80) {}

int32_t BackgroundSelectScreen::BackgroundCount() {
    const int32_t count = kFirstBackgrounds + CurrentDynasty(CurrentProfile().storyLevelsDone);
    return std::clamp(count, kFirstBackgrounds, PlayerProfile::kBackgrounds);
}

void BackgroundSelectScreen::Init() {
    using P = FramePanel;
    static const int32_t kLeft[] = {2, 1, 3, 3, 0};
    static const int32_t kRight[] = {2, 3, 1, 3, 0};
    static const int32_t kTop[] = {2, 3, 3, 3, 3, 2, 1, 0};
    static const int32_t kBottom[] = {2, 3, 3, 3, 1, 3, 2, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kLeft, kRight, kTop, kBottom);
    SetTitle(kTitleText);

    rotation_ = new RadioButton(kRotation, &group_, kRotationValue);
    rotation_->SetCaption(kRotationCaption, kCaptionFontImage, kCaptionFontMetrics, 32, 31, 255);
    AddWidget(rotation_, 46, 50);
    for (int32_t i = 0; i < kThumbCount; ++i) {
        thumbs_[static_cast<size_t>(i)] = new BackgroundThumb(&group_, i);
        AddWidget(thumbs_[static_cast<size_t>(i)], kThumbPlaces[i].x, kThumbPlaces[i].y);
    }
    up_ = new Button(kScrollUp, 4, false);
    AddWidget(up_, 646, 99);
    down_ = new Button(kScrollDown, 4, false);
    AddWidget(down_, 646, 312);
    auto* apply = new TextButton(kApply, 102);
    apply->SetLabel(kApplyLabel);
    AddWidget(apply, 251, 345);
    auto* close = new TextButton(kClose, 102);
    close->SetLabel(kCloseLabel);
    AddWidget(close, 371, 345);

    count_ = BackgroundCount();
    const int32_t choice = CurrentProfile().background;
    if (choice < 0) {
        rotating_ = true;
        first_ = 0;
        group_.Select(kRotationValue);
    } else {
        // A choice beyond what is unlocked (a profile from elsewhere) shows the last unlocked.
        const int32_t b = std::min(choice, count_ - 1);
        rotating_ = false;
        first_ = std::min(b / kPerRow * kPerRow, kLastFirst);
        if (count_ <= first_ + kPerRow && first_ >= kPerRow) first_ -= kPerRow;
        group_.Select(b - first_);
    }
    Refresh();
}

BackgroundThumb* BackgroundSelectScreen::GetThumb(int32_t position) const {
    return position >= 0 && position < kThumbCount ? thumbs_[static_cast<size_t>(position)]
                                                   : nullptr;
}

void BackgroundSelectScreen::Refresh() {
    for (int32_t i = 0; i < kThumbCount; ++i) {
        BackgroundThumb* thumb = thumbs_[static_cast<size_t>(i)];
        const bool shown = first_ + i < count_;
        thumb->SetBackground(shown ? first_ + i : BackgroundThumb::kNone);
        thumb->SetEnabled(shown);
    }
    up_->SetEnabled(first_ >= 1);
    down_->SetEnabled(first_ < kLastFirst && count_ >= first_ + kThumbCount);
    const int32_t selected = group_.GetSelected();
    if (BackgroundThumb* thumb = GetThumb(selected); thumb && !thumb->IsEnabled()) {
        group_.Select(std::max(count_ - first_ - 1, 0));
    }
    if (GetManager()) GetManager()->MarkDirty();
}

bool BackgroundSelectScreen::OnCommand(int32_t commandId) {
    switch (commandId) {
        case kApply:
            Apply();
            break;
        case kClose:
            if (!closing_ && GetManager()) {
                closing_ = true;
                GetManager()->PopScreens(true, 1);
            }
            break;
        case kScrollUp:
            if (first_ > 0) {
                first_ -= kPerRow;
                Refresh();
            }
            break;
        case kScrollDown:
            if (first_ < kLastFirst) {
                first_ += kPerRow;
                Refresh();
            }
            break;
        case kRotation:
            // The rotation button works as a switch: a second click leaves the rotation for the
            // first thumbnail on view.
            rotating_ = !rotating_;
            if (!rotating_) group_.Select(0);
            break;
        case kThumb:
            rotating_ = false;
            break;
        default:
            break;
    }
    return true;
}

void BackgroundSelectScreen::Apply() {
    if (closing_ || !GetManager()) return;
    closing_ = true;
    const int32_t selected = group_.GetSelected();
    int32_t choice = PlayerProfile::kRotateBackgrounds;
    if (selected >= 0 && selected < kThumbCount) choice = std::min(first_ + selected, count_ - 1);
    CurrentProfile().background = choice;
    CurrentProfile().Save();
    PlayScreen* below = ScreenBelow<PlayScreen>(this);
    GetManager()->PopScreens(true, 1);
    if (below) below->PickBackground();
    UnsavedNotice::Tell(GetManager());
}
