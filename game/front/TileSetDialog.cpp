#include "game/front/TileSetDialog.h"

#include "framework/ui/ScreenManager.h"
#include "game/front/ScreenBelow.h"
#include "game/front/TileSetButton.h"
#include "game/front/UnsavedNotice.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 148;
constexpr int32_t kApplyLabel = 147;
constexpr int32_t kCloseLabel = 146;

struct SetChoice {
    int32_t faceImage, baseColumn, x, y;
};

// In the order of their values.
constexpr SetChoice kSets[TileSetDialog::kSetCount] = {
    {101, 0, 52, 70},  {215, 0, 192, 70},  {313, 6, 332, 70},
    {315, 7, 52, 207}, {317, 0, 192, 207}, {319, 0, 332, 207}};

}  // namespace

TileSetDialog::TileSetDialog(bool story) : PanelScreen(160, 80), story_(story) {}

void TileSetDialog::Init() {
    using P = FramePanel;
    static const int32_t kLeft[] = {2, 1, 3, 3, 0};
    static const int32_t kRight[] = {2, 3, 1, 3, 0};
    static const int32_t kTop[] = {2, 1, 3, 2, 1, 0};
    static const int32_t kBottom[] = {2, 3, 1, 1, 2, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kLeft, kRight, kTop, kBottom);
    SetTitle(kTitleText);

    for (int32_t value = 0; value < kSetCount; ++value) {
        const SetChoice& set = kSets[value];
        buttons_[static_cast<size_t>(value)] =
            new TileSetButton(set.faceImage, set.baseColumn, &group_, value);
        AddWidget(buttons_[static_cast<size_t>(value)], set.x, set.y);
    }
    const PlayerProfile& profile = CurrentProfile();
    group_.Select(story_ ? profile.storyTileSet : profile.freeTileSet);

    auto* apply = new TextButton(kApply, 102);
    apply->SetLabel(kApplyLabel);
    AddWidget(apply, 132, 342);
    auto* close = new TextButton(kClose, 102);
    close->SetLabel(kCloseLabel);
    AddWidget(close, 252, 342);
}

TileSetButton* TileSetDialog::GetButton(int32_t value) const {
    return value >= 0 && value < kSetCount ? buttons_[static_cast<size_t>(value)] : nullptr;
}

bool TileSetDialog::OnCommand(int32_t commandId) {
    if (commandId == kApply) {
        Apply();
    } else if (commandId == kClose && !closing_ && GetManager()) {
        closing_ = true;
        GetManager()->PopScreens(true, 1);
    }
    return true;
}

void TileSetDialog::Apply() {
    if (closing_ || !GetManager()) return;
    closing_ = true;
    int32_t chosen = group_.GetSelected();
    if (chosen < 0 || chosen >= kSetCount) chosen = kFallbackSet;
    PlayerProfile& profile = CurrentProfile();
    (story_ ? profile.storyTileSet : profile.freeTileSet) = chosen;
    profile.Save();
    PlayScreen* below = ScreenBelow<PlayScreen>(this);
    GetManager()->PopScreens(true, 1);
    if (below) below->ApplyTileSet();
    UnsavedNotice::Tell(GetManager());
}
