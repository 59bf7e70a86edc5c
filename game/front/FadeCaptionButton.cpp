#include "game/front/FadeCaptionButton.h"

#include <algorithm>

#include "framework/core/String.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/ui/ScreenManager.h"
#include "game/model/PlayerProfile.h"

namespace {

constexpr int32_t kPlateMargin = 6;
constexpr int32_t kPlateAlpha = 200;
constexpr uint32_t kPlateColour = 0x0E0C54;  // deep lacquer

}  // namespace

FadeCaptionButton::FadeCaptionButton(int32_t commandId, int32_t captionKind)
    : Button(commandId, 3, false), captionKind_(captionKind) {}

void FadeCaptionButton::OnButtonCreated() {
    hoverFont_ = GetFont(kFontImage, kFontMetrics);
    EnableUpdates(true);
}

void FadeCaptionButton::Draw() {
    Button::Draw();
    if (!IsHovered() || !IsShownAndEnabled()) {
        captionAlpha_ = 0;
        return;
    }
    if (!hoverFont_) return;
    int32_t textId = captionKind_;
    int32_t y = 86;
    if (captionKind_ == kStoryCaption) {
        y = 91;
        if (CurrentProfile().storyLevelsDone > 0) textId = kStoryGoesOnCaption;
    }
    String caption;
    caption.LoadResString(textId);
    // The caption hangs below the picture; it must not widen where the button is hit.
    const bool tracks = TracksBounds();
    SetTracksBounds(false);
    const int32_t middle = GetFrameWidth() / 2;
    // The caption hangs over the menu's mid-toned hills: a dark plate keeps it readable.
    const int32_t width = hoverFont_->TextWidth(caption.CStr());
    const int32_t top = y - hoverFont_->Metrics().baselineOffset;
    const Rect plate{middle - width / 2 - kPlateMargin, top, middle + (width + 1) / 2 + kPlateMargin,
                     top + hoverFont_->Metrics().rowHeight};
    FillRectAlpha(plate, captionAlpha_ * kPlateAlpha / 255, kPlateColour, true);
    hoverFont_->DrawCentered(this, middle - 400, y, caption.CStr(), 800, 100, 100, captionAlpha_);
    SetTracksBounds(tracks);
}

bool FadeCaptionButton::Update() {
    if (!IsHovered() || captionAlpha_ >= 255) return false;
    captionAlpha_ = std::min<int32_t>(255, captionAlpha_ + static_cast<int32_t>(GetFrameDelta() / 2));
    return true;
}
