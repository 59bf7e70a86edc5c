#include "game/front/HelpIllustration.h"

#include "framework/gfx/BitmapFont.h"

namespace {

constexpr int32_t kBaseStripId = 102;
constexpr uint32_t kMagentaKey = 0xFF00FF;
constexpr int32_t kTileWidth = 48;
constexpr int32_t kTileHeight = 58;
constexpr int32_t kFaceWidth = 38;
constexpr int32_t kFaceHeight = 48;
constexpr int32_t kFontImageId = 307;
constexpr int32_t kFontMetricsId = 306;
constexpr int32_t kFreeCaptionId = 94;
constexpr int32_t kBlockedCaptionId = 103;
constexpr int32_t kSeasonNamesId = 105;
constexpr int32_t kFlowerNamesId = 93;
constexpr int32_t kFreeDiagramId = 358;
constexpr int32_t kStoryDiagramId = 359;
constexpr int32_t kExitTile = 43;
constexpr int32_t kFirstSeason = 35;
constexpr int32_t kFirstFlower = 39;

void SplitNames(int32_t textId, std::array<String, 4>& names) {
    String text(textId);
    int position = 0;
    for (String& name : names) name = text.Tokenize('\t', &position);
}

}  // namespace

HelpIllustration::HelpIllustration(int32_t faceImageId) : faceImageId_(faceImageId) {}

void HelpIllustration::OnCreate() {
    caption1_ = String(kFreeCaptionId);
    caption2_ = String(kBlockedCaptionId);
    SplitNames(kSeasonNamesId, labels_[0]);
    SplitNames(kFlowerNamesId, labels_[1]);
    font_ = GetFont(kFontImageId, kFontMetricsId);
}

void HelpIllustration::SetMode(int32_t mode) {
    mode_ = mode >= 0 && mode < kModeCount ? mode : 0;
}

void HelpIllustration::DrawTile(int32_t x, int32_t y, int32_t face) {
    Rect base{0, 0, kTileWidth, kTileHeight};
    DrawImageEx(x, y, kBaseStripId, kMagentaKey, &base, true);
    int32_t index = face - 1;
    if (index < 0) return;
    Rect source{kFaceWidth * (index % 6), kFaceHeight * (index / 6), 0, 0};
    source.right = source.left + kFaceWidth;
    source.bottom = source.top + kFaceHeight;
    DrawImage(x + 7, y + 3, faceImageId_, &source, true);
}

void HelpIllustration::DrawSpecialTile(int32_t x, int32_t y, int32_t face) {
    int32_t column = face == kExitTile ? 1 : face - 42;
    if (column < 1) return;
    Rect source{kTileWidth * column, 0, kTileWidth * column + kTileWidth, kTileHeight};
    DrawImageEx(x, y, kBaseStripId, kMagentaKey, &source, true);
}

void HelpIllustration::DrawDiagram(int32_t imageId) {
    DrawImage(15, 11, imageId, nullptr, true);
    if (!font_) return;
    font_->DrawRightAligned(this, 35, 118, caption1_.CStr(), 100, 100, 255);
    // Clear of the row's last tile, whose base would stand behind the caption's first letters.
    font_->DrawText(this, 175, 117, caption1_.CStr(), -1, 100, 100, 255);
    font_->DrawRightAligned(this, 135, 25, caption2_.CStr(), 100, 100, 255);
    font_->DrawText(this, 250, 50, caption1_.CStr(), -1, 100, 100, 255);
}

void HelpIllustration::DrawSeasonsAndFlowers() {
    for (int32_t i = 0; i < 4; ++i) {
        int32_t x = 80 * i;
        DrawTile(x, 0, kFirstSeason + i);
        DrawTile(x, 85, kFirstFlower + i);
        if (!font_) continue;
        font_->DrawCentered(this, x, 75, labels_[0][i].CStr(), kTileWidth, 100, 100, 255);
        font_->DrawCentered(this, x, 160, labels_[1][i].CStr(), kTileWidth, 100, 100, 255);
    }
}

void HelpIllustration::Draw() {
    switch (mode_) {
        case 1:
            DrawDiagram(kFreeDiagramId);
            break;
        case 4:
            DrawDiagram(kStoryDiagramId);
            break;
        case 2:
        case 5:
            DrawSeasonsAndFlowers();
            break;
        case 3:
            DrawSpecialTile(-5, -63, kExitTile);
            DrawSpecialTile(-47, -63, kExitTile);
            break;
        case 6:
            DrawSpecialTile(-5, -33, kExitTile);
            DrawSpecialTile(-47, -33, kExitTile);
            DrawSpecialTile(-5, 72, 44);
            DrawSpecialTile(-47, 72, 45);
            break;
        case 7:
            DrawSpecialTile(-42, -73, 47);
            DrawSpecialTile(-42, 42, 46);
            break;
        default:
            break;
    }
}
