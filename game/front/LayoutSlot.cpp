#include "game/front/LayoutSlot.h"

#include <unistd.h>

#include "framework/gfx/BitmapFont.h"
#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/LayoutPreview.h"
#include "game/front/LayoutSlotHost.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerProfile.h"
#include "game/model/TileLayout.h"

namespace {

constexpr int32_t kWidth = 203;
constexpr int32_t kHeight = 153;
constexpr int32_t kSelectedFrame = 188;
constexpr int32_t kFrame = 195;
constexpr int32_t kCompletedMark = 369;
constexpr int32_t kCompletedMarkX = 131;
// Beside the completed mark the name keeps this clear of it and of the slot's left side.
constexpr int32_t kNameMargin = 8;
constexpr int32_t kNameFontImage = 201;
constexpr int32_t kNameFontMetrics = 198;
constexpr int32_t kStatusFontImage = 208;
constexpr int32_t kStatusFontMetrics = 207;
constexpr int32_t kNameFormat = 19;
constexpr int32_t kSavedText = 21;
constexpr int32_t kBestTimeFormat = 17;
constexpr int32_t kCountsFormat = 18;
constexpr uint32_t kKey = 0xFF00FF;

}  // namespace

LayoutSlot::LayoutSlot(int slot, LayoutSlotHost* host)
    : slot_(slot),
      host_(host),
      cell_{(slot % 3) * kWidth, (slot / 3) * kHeight, (slot % 3) * kWidth + kWidth,
            (slot / 3) * kHeight + kHeight} {}

void LayoutSlot::OnCreate() {
    nameFont_ = GetFont(kNameFontImage, kNameFontMetrics);
    statusFont_ = GetFont(kStatusFontImage, kStatusFontMetrics);
    SetCursorKind(ScreenManager::kCursorHand, false);
    EnableClicks(true);
    EnableHover(true);
    SetWantsDoubleClicks(true);
}

void LayoutSlot::SetLayout(const PageCacheLine& line, int layoutIndex) {
    name_ = line.name;
    tiles_ = line.tiles;
    freeTiles_ = line.freeTiles;
    state_ = kFromCache;
    UpdateStatus(layoutIndex);
}

void LayoutSlot::Clear() {
    state_ = kEmpty;
    tiles_ = 0;
    freeTiles_ = 0;
    name_.Empty();
    status_.Empty();
    hasSavedGame_ = false;
    completed_ = false;
}

bool LayoutSlot::RenderPreview(Image* page, const Image* blank, const Image* faces,
                               int layoutIndex) {
    TileLayout layout;
    int resourceId = FreeLayoutResourceId(layoutIndex);
    if (resourceId == 0 || !layout.LoadFromResource(resourceId)) {
        Clear();
        return false;
    }
    LayoutPreview preview;
    preview.Place(&layout, slot_);
    tiles_ = preview.TileCount();
    freeTiles_ = preview.FreeCount();
    name_.FormatResString(kNameFormat, layoutIndex + 1, layout.Name().CStr());
    UpdateStatus(layoutIndex);
    preview.Compose(page, blank, faces);
    buildImage_ = page;
    state_ = kBuilt;
    return true;
}

void LayoutSlot::UpdateStatus(int layoutIndex) {
    const PlayerProfile& profile = CurrentProfile();
    bool known = layoutIndex >= 0 && layoutIndex < PlayerProfile::kLayoutSlots;
    hasSavedGame_ = known && profile.id >= 0 &&
                    access(profile.MakeSaveFileName(layoutIndex).CStr(), F_OK) == 0;
    int32_t best = known ? profile.bestTimes[layoutIndex] : PlayerProfile::kNoTime;
    completed_ = best != PlayerProfile::kNoTime;
    if (hasSavedGame_) {
        status_ = String(kSavedText);
    } else if (completed_) {
        String time;
        time.FormatSeconds(best);
        status_.FormatResString(kBestTimeFormat, time.CStr());
    } else {
        status_.FormatResString(kCountsFormat, tiles_, freeTiles_);
    }
}

void LayoutSlot::SetSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    if (GetManager()) GetManager()->MarkDirty();
}

bool LayoutSlot::OnLButtonDown(uint32_t keys, int32_t x, int32_t y) {
    if (state_ == kEmpty) return false;
    if (host_) host_->SelectSlot(slot_);
    SetSelected(true);
    if (GetManager()) GetManager()->PlaySound(Button::kClickSoundId);
    return true;
}

bool LayoutSlot::OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
    if (state_ == kEmpty) return false;
    if (GetManager()) GetManager()->PlaySound(Button::kClickSoundId);
    if (host_) host_->AskResume(slot_);
    return true;
}

void LayoutSlot::Draw() {
    DrawImage(0, 0, selected_ ? kSelectedFrame : kFrame, nullptr, true);
    if (state_ == kFromCache) {
        DrawImageEx(0, 0, kPageImageId, kKey, &cell_, true);
    } else if (state_ == kBuilt && buildImage_) {
        DrawImagePtr(0, 0, buildImage_, &cell_, true);
    }
    if (nameFont_) {
        if (completed_) {
            // Left of the mark, squeezed to its room when too long, so the mark never covers it.
            const int32_t room = kCompletedMarkX - 2 * kNameMargin;
            int32_t scaleX = 100;
            while (scaleX > 50 && nameFont_->TextWidth(name_.CStr(), scaleX) > room)
                --scaleX;
            nameFont_->DrawCentered(this, kNameMargin, 18, name_.CStr(), room, scaleX, 100, 255);
        } else {
            nameFont_->DrawCentered(this, 0, 18, name_.CStr(), kWidth, 100, 100, 255);
        }
    }
    if (statusFont_) {
        statusFont_->DrawCentered(this, 0, 146, status_.CStr(), kWidth, 100, 100, 255);
    }
    if (completed_) DrawImage(kCompletedMarkX, 2, kCompletedMark, nullptr, true);
}
