#include "game/front/SlidePanel.h"

#include <utility>

#include "framework/gfx/DisplayDevice.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

SlidePanel::SlidePanel(Screen* partner, std::function<void()> done)
    : partner_(partner), done_(std::move(done)) {}

SlidePanel::~SlidePanel() {
    // A screen closed mid-slide must not leave the display waiting for every vertical blank.
    if (IsSliding()) SetVerticalBlankWait(false);
}

void SlidePanel::OnCreate() {
    // The panel draws over its own screen's clip: it is the seam between the two screens.
    SetAcceptsClipping(false);
}

void SlidePanel::SetVerticalBlankWait(bool on) {
    if (ScreenManager* manager = GetManager()) manager->GetDisplay().SetVSyncWait(on);
}

void SlidePanel::Begin(int32_t x, bool opening) {
    x_ = x;
    opening_ = opening;
    SetVerticalBlankWait(true);
    EnableUpdates(true);
    if (ScreenManager* manager = GetManager()) manager->MarkDirty();
}

void SlidePanel::StartClose() { Begin(kCloseStart, false); }

void SlidePanel::StartOpen() {
    // Until the panel has moved, the play field stays whole and the map hidden.
    ownClip_ = ClipRect{Rect{}, nullptr};
    if (Screen* own = GetScreen()) own->SetClipRegion(&ownClip_);
    Begin(kOpenStart, true);
}

void SlidePanel::ApplyClips() {
    ownClip_ = ClipRect{Rect{0, 0, x_ + kOwnEdge, kFrameHeight}, nullptr};
    partnerClip_ = ClipRect{Rect{x_ + kPartnerEdge, 0, kFrameWidth, kFrameHeight}, nullptr};
    if (Screen* own = GetScreen()) own->SetClipRegion(&ownClip_);
    if (partner_) partner_->SetClipRegion(&partnerClip_);
}

bool SlidePanel::Update() {
    if (!IsSliding()) return false;
    const auto elapsed = static_cast<int32_t>(GetFrameDelta());
    x_ = opening_ ? x_ + elapsed : x_ - elapsed;
    ApplyClips();
    const bool finished = opening_ ? x_ >= kOpenEnd : x_ < kCloseEnd;
    if (finished) {
        x_ = kIdle;
        EnableUpdates(false);
        SetVerticalBlankWait(false);
        if (done_) done_();
    }
    return true;
}

void SlidePanel::Draw() {
    if (IsSliding()) DrawImage(x_, 0, kImageId, nullptr, true);
}
