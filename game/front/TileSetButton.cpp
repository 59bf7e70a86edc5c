#include "game/front/TileSetButton.h"

#include "framework/gfx/Rect.h"
#include "framework/ui/RadioGroup.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/TileSetDialog.h"

namespace {

struct Place {
    int32_t x, y;
};

// The lower tiles first, so the upper ones cover their edges.
constexpr Place kBases[] = {{42, 58}, {0, 6}, {0, 58}, {48, 0}, {48, 52}, {6, 0}, {6, 52}};

struct Face {
    int32_t x, y, kind;
};

// The faces of the four upper tiles, 7 right and 3 down of their bases.
constexpr Face kFaces[] = {{48, 0, 14}, {48, 52, 37}, {6, 0, 4}, {6, 52, 21}};
constexpr int32_t kFaceDx = 7;
constexpr int32_t kFaceDy = 3;

}  // namespace

TileSetButton::TileSetButton(int32_t faceImageId, int32_t baseColumn, RadioGroup* group,
                             int32_t value)
    : RadioButton(faceImageId, group, value), faceImageId_(faceImageId), baseColumn_(baseColumn) {}

void TileSetButton::OnButtonCreated() { SetWantsDoubleClicks(true); }

void TileSetButton::DrawNormal() { DrawSample(); }

void TileSetButton::DrawHover() { DrawSample(); }

void TileSetButton::DrawSample() {
    const int32_t left = baseColumn_ * kBaseWidth;
    const Rect base{left, 0, left + kBaseWidth, kBaseHeight};
    for (const Place& p : kBases) DrawImageEx(p.x, p.y, kBaseImage, kBaseKey, &base, true);
    for (const Face& f : kFaces) {
        const int32_t x = (f.kind - 1) % kFacesPerRow * kFaceWidth;
        const int32_t y = (f.kind - 1) / kFacesPerRow * kFaceHeight;
        const Rect face{x, y, x + kFaceWidth, y + kFaceHeight};
        DrawImage(f.x + kFaceDx, f.y + kFaceDy, faceImageId_, &face, true);
    }
    if (IsSelected()) {
        // The mark reaches past the sample; it must not widen where the button is hit.
        const bool tracks = TracksBounds();
        SetTracksBounds(false);
        DrawImage(-16, -15, kSelectedMark, nullptr, true);
        SetTracksBounds(tracks);
    }
}

bool TileSetButton::OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
    if (ScreenManager* manager = GetManager()) manager->PlaySound(kClickSoundId);
    if (RadioGroup* group = GetGroup()) group->Select(GetValue());
    if (auto* dialog = dynamic_cast<TileSetDialog*>(GetScreen())) dialog->Apply();
    return true;
}
