#include "game/front/BackgroundThumb.h"

#include "framework/gfx/Rect.h"
#include "framework/ui/RadioGroup.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/BackgroundSelectScreen.h"

BackgroundThumb::BackgroundThumb(RadioGroup* group, int32_t position)
    : RadioButton(kFrameImage, group, position) {}

void BackgroundThumb::OnButtonCreated() { SetWantsDoubleClicks(true); }

void BackgroundThumb::DrawNormal() { DrawThumb(); }

void BackgroundThumb::DrawHover() { DrawThumb(); }

void BackgroundThumb::DrawThumb() {
    if (background_ < 0) {
        DrawImage(0, 0, kFrameImage, nullptr, true);
        return;
    }
    // The frame in four strips, so that its inside is the picture's.
    static const Rect kTop{0, 0, 196, 6};
    static const Rect kBottom{0, 111, 196, 118};
    static const Rect kLeft{0, 5, 5, 112};
    static const Rect kRight{189, 5, 196, 112};
    DrawImage(0, 0, kFrameImage, &kTop, true);
    DrawImage(0, 111, kFrameImage, &kBottom, true);
    DrawImage(0, 5, kFrameImage, &kLeft, true);
    DrawImage(189, 5, kFrameImage, &kRight, true);
    const int32_t x = background_ % kPicturesPerRow * kPictureWidth;
    const int32_t y = background_ / kPicturesPerRow * kPictureHeight;
    const Rect picture{x, y, x + kPictureWidth, y + kPictureHeight};
    DrawImage(4, 5, kPictureSheet, &picture, true);
    if (IsSelected()) {
        // The mark reaches past the frame; it must not widen where the thumbnail is hit.
        const bool tracks = TracksBounds();
        SetTracksBounds(false);
        DrawImage(-13, -12, kSelectedMark, nullptr, true);
        SetTracksBounds(tracks);
    }
}

bool BackgroundThumb::OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
    if (ScreenManager* manager = GetManager()) manager->PlaySound(kClickSoundId);
    if (RadioGroup* group = GetGroup()) group->Select(GetValue());
    if (auto* dialog = dynamic_cast<BackgroundSelectScreen*>(GetScreen())) dialog->Apply();
    return true;
}
