#include "game/front/CampaignMap.h"

#include <algorithm>

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/CampaignMapHost.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerProfile.h"

namespace {

constexpr int32_t kHeaderLeftId = 33;
constexpr int32_t kHeaderRightId = 28;
constexpr int32_t kBannerFormat = 112;
constexpr int32_t kWelcomeId = 108;
constexpr int32_t kMapImage = 229;
constexpr int32_t kDoneMarker = 246;
constexpr int32_t kFrontierMarker = 292;
constexpr int32_t kStripImage = 248;
constexpr int32_t kStripEndImage = 247;
constexpr int32_t kRingImage = 249;
constexpr int32_t kWelcomeImage = 257;
// The welcome picture's paper band spans x 42 to 758 at four times the picture's size; its text
// wraps within the band, clear of the band's soft ends.
constexpr int32_t kWelcomeLeft = 42, kWelcomeScale = 400;
constexpr int32_t kWelcomeTextLeft = 66, kWelcomeTextWidth = 668;
// The mode heading ends well inside the map's gold frame, on the plaque the map paints for it.
constexpr int32_t kHeaderRightEdge = 766;
constexpr int32_t kBannerTop = 310;
constexpr int32_t kBannerBottom = 309;
constexpr int32_t kBannerLeft = 128;
constexpr int32_t kBannerTopY = 130, kBannerBottomY = 420;
constexpr int32_t kBannerMargin = 40;
constexpr int32_t kBannerLineStep = 38;
// The scroll's open field, between the plate on the upper picture and the roller of the lower
// one: the banner's text block stands in its middle, however many lines it wraps to.
constexpr int32_t kBannerFieldTop = 198, kBannerFieldBottom = 446;
constexpr int32_t kDynastySound = 380;
constexpr int32_t kAdvanceSound = 381;
constexpr int32_t kBannerGoneSound = 382;
constexpr int32_t kDoneDelayMs = 1000;

int32_t Between(int32_t from, int32_t to, int32_t alpha) {
    return from + (to - from) * alpha / 255;
}

}  // namespace

CampaignMap::CampaignMap(CampaignMapHost* host) : host_(host) {}

int32_t CampaignMap::Completed() const {
    return std::clamp(CurrentProfile().storyLevelsDone, 0, kStoryLevelCount);
}

void CampaignMap::OnCreate() {
    headerLeft_ = String(kHeaderLeftId);
    headerRight_ = String(kHeaderRightId);
    welcomeText_ = String(kWelcomeId);
    headerFont_ = GetFont(163, 162);
    welcomeFont_ = GetFont(258, 259);
    bannerFont_ = GetFont(311, 308);
    selected_ = std::min(Completed(), kStoryLevelCount - 1);
    if (ScreenManager* manager = GetManager()) {
        for (int32_t sound : {kDynastySound, kAdvanceSound, kBannerGoneSound}) {
            manager->LoadSound(sound, false);
        }
    }
    EnableUpdates(true);
    EnableClicks(true);
    SetWantsDoubleClicks(true);
    EnableMouseMove(true);
    EnableHover(true);
}

void CampaignMap::SetAdvancePending() {
    advancePending_ = true;
    selected_ = std::max(Completed() - 1, 0);
}

void CampaignMap::StartAdvance(bool dynastyEnd, const char* dynastyName) {
    advancing_ = true;
    advancePending_ = false;
    advanceAlpha_ = 0;
    dynastyEnd_ = dynastyEnd;
    ScreenManager* manager = GetManager();
    if (!dynastyEnd) {
        if (manager) manager->PlaySound(kAdvanceSound);
        return;
    }
    bannerAlpha_ = 0;
    bannerHold_ = kBannerHoldMs;
    bannerText_.FormatResString(kBannerFormat, dynastyName ? dynastyName : "");
    bannerFadingIn_ = true;
    if (manager) manager->PlaySound(kDynastySound);
}

void CampaignMap::StartWelcome() {
    bannerAlpha_ = 0;
    bannerFadingIn_ = true;
}

bool CampaignMap::Update() {
    ++frameCounter_;
    int32_t elapsed = static_cast<int32_t>(GetFrameDelta());
    bool changed = frameCounter_ % 2 == 0;
    if (bannerFadingIn_) {
        bannerAlpha_ = std::min(bannerAlpha_ + elapsed / 3, 255);
        if (bannerAlpha_ >= 255) bannerFadingIn_ = false;
        return true;
    }
    if (dynastyEnd_ && (bannerHold_ > 0 || bannerAlpha_ > 0)) {
        if (bannerHold_ > 0) {
            bannerHold_ -= elapsed;
        } else {
            bannerAlpha_ = std::max(bannerAlpha_ - elapsed / 3, 0);
            if (bannerAlpha_ == 0 && GetManager()) GetManager()->PlaySound(kBannerGoneSound);
        }
        return true;
    }
    if (advancing_) {
        advanceAlpha_ = std::min(advanceAlpha_ + elapsed / 5, 255);
        if (advanceAlpha_ >= 255) {
            advancing_ = false;
            selected_ = std::min(selected_ + 1, kStoryLevelCount - 1);
            if (Completed() >= kStoryLevelCount) SetTimer(kDoneTimerId, kDoneDelayMs, 1, 1);
        }
        return true;
    }
    return changed;
}

bool CampaignMap::OnTimer(int32_t timerId, int32_t firingIndex) {
    if (timerId == kDoneTimerId && host_) host_->OnCampaignComplete();
    return false;
}

int32_t CampaignMap::HitTest(int32_t x, int32_t y) const {
    int32_t completed = Completed();
    if (completed == 0) return -1;
    for (int32_t level = 0; level <= completed && level < kStoryLevelCount; ++level) {
        const MapPoint& m = LevelMarker(level);
        if (m.x - 8 < x && x < m.x + 14 && m.y - 8 < y && y < m.y + 14) return level;
    }
    for (int32_t region = 0; region < kMapRegionCount - 1; ++region) {
        int32_t first = DynastyFirstLevel(region + 1);
        const Rect& r = MapRegion(region).rect;
        if (first <= completed && r.left < x && x < r.right && r.top < y && y < r.bottom) {
            return first;
        }
    }
    return -1;
}

void CampaignMap::OnMouseMove(uint32_t keys, int32_t x, int32_t y) {
    SetCursorKind(HitTest(x, y) >= 0 ? ScreenManager::kCursorHand : ScreenManager::kCursorNormal,
                  true);
}

bool CampaignMap::OnLButtonDown(uint32_t keys, int32_t x, int32_t y) {
    if (advancing_) return true;
    int32_t level = HitTest(x, y);
    if (level < 0) return false;
    selected_ = std::min(level, kStoryLevelCount - 1);
    if (ScreenManager* manager = GetManager()) {
        manager->PlaySound(Button::kClickSoundId);
        manager->MarkDirty();
    }
    return true;
}

bool CampaignMap::OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
    if (advancing_) return true;
    if (!OnLButtonDown(keys, x, y)) return false;
    if (host_) host_->StartSelectedLevel();
    return true;
}

int32_t CampaignMap::ShownProgress() const {
    int32_t completed = Completed();
    return (advancePending_ || advancing_) ? std::max(completed - 1, 0) : completed;
}

int32_t CampaignMap::RingAlpha() const {
    int32_t t = static_cast<int32_t>(frameCounter_ % 40);
    if (t > 20) t = 40 - t;
    return 10 * t + 55;
}

void CampaignMap::DrawRing(int32_t progress) {
    bool allDone = (advancePending_ || advancing_) && Completed() == kStoryLevelCount;
    MapPoint at;
    if (allDone) {
        DrawImage(718, 176, kRingImage, nullptr, true, 100, 100, RingAlpha());
        return;
    }
    if (advancing_) {
        const MapPoint& from = LevelMarker(progress - 1);
        const MapPoint& to = LevelMarker(progress);
        at = MapPoint{Between(from.x, to.x, advanceAlpha_), Between(from.y, to.y, advanceAlpha_)};
    } else {
        at = LevelMarker(selected_);
    }
    DrawImage(at.x - 28, at.y - 28, kRingImage, nullptr, true, 100, 100, RingAlpha());
}

void CampaignMap::Draw() {
    int32_t shown = ShownProgress();
    int32_t progress = advancing_ ? shown + 1 : shown;
    DrawImage(0, 0, kMapImage, nullptr, true);
    if (headerFont_) {
        // The title stands over the middle of the map: the road starts in its upper left corner.
        headerFont_->DrawCentered(this, 0, 60, headerLeft_.CStr(), kFrameWidth, 100, 100, 255);
        headerFont_->DrawRightAligned(this, kHeaderRightEdge, 60, headerRight_.CStr(), 100, 100, 255);
    }
    int32_t region = 0;
    for (; region < kMapRegionCount && DynastyFirstLevel(region + 1) <= shown; ++region) {
        const DynastyRegion& drawn = MapRegion(region);
        DrawImage(drawn.rect.left, drawn.rect.top, drawn.imageId, nullptr, true);
    }
    for (int32_t level = 0; level < shown; ++level) {
        const MapPoint& m = LevelMarker(level);
        DrawImage(m.x, m.y, kDoneMarker, nullptr, true);
    }
    if (shown < kStoryLevelCount) {
        const MapPoint& m = LevelMarker(shown);
        DrawImage(m.x - 7, m.y - 7, kFrontierMarker, nullptr, true);
    }
    if (advancing_ && dynastyEnd_ && region < kMapRegionCount) {
        const DynastyRegion& next = MapRegion(region);
        DrawImage(next.rect.left, next.rect.top, next.imageId, nullptr, true, 100, 100,
                  advanceAlpha_);
    }
    int32_t width = ProgressStripWidth(progress);
    if (advancing_ && progress > 0) {
        int32_t before = ProgressStripWidth(progress - 1);
        width = before + (width - before) * advanceAlpha_ / 255;
    }
    Rect strip{0, 0, width, 24};
    DrawImage(19, 23, kStripImage, &strip, true);
    DrawImage(std::min(width, 739) + 6, 8, kStripEndImage, nullptr, true);
    DrawRing(progress);
    if (progress == 0 && bannerAlpha_ > 0) {
        DrawImage(kWelcomeLeft, 10, kWelcomeImage, nullptr, true, kWelcomeScale, kWelcomeScale, bannerAlpha_);
        if (welcomeFont_) {
            welcomeFont_->DrawWrappedCentered(this, kWelcomeTextLeft, 200, kWelcomeTextWidth, 600,
                                              welcomeText_.CStr(), 26, false, bannerAlpha_);
        }
    }
    if (dynastyEnd_ && bannerAlpha_ > 0) {
        DrawImage(kBannerLeft, kBannerTopY, kBannerTop, nullptr, true, 100, 100, bannerAlpha_);
        DrawImage(kBannerLeft, kBannerBottomY, kBannerBottom, nullptr, true, 100, 100, bannerAlpha_);
        if (bannerFont_) {
            // The text wraps within the banner's painted field, never past its rims.
            int32_t width = 0, height = 0;
            if (!GetImageSize(kBannerTop, width, height)) width = kFrameWidth - 2 * kBannerLeft;
            const int32_t field = std::max(width - 2 * kBannerMargin, 1);
            const int32_t left = kBannerLeft + kBannerMargin;
            const char* text = bannerText_.CStr();
            const int32_t lines = bannerFont_->DrawWrappedCentered(this, left, 0, field, 600, text,
                                                                   kBannerLineStep, true, 0);
            const FontMetrics& metrics = bannerFont_->Metrics();
            const int32_t block = std::max(lines - 1, 0) * kBannerLineStep + metrics.rowHeight;
            const int32_t top = (kBannerFieldTop + kBannerFieldBottom - block) / 2;
            bannerFont_->DrawWrappedCentered(this, left, top + metrics.baselineOffset, field, 600, text,
                                             kBannerLineStep, false, bannerAlpha_);
        }
    }
}
