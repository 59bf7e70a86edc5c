#pragma once
// The picture of a help page of the free-play and story help: a diagram of free and blocked
// tiles, the seasons and flowers with their names, or the story's special tiles, chosen by the
// page's mode (0 draws nothing).
#include <array>
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

class HelpIllustration : public Widget {
public:
    static constexpr int kModeCount = 8;

    // `faceImageId`: the tile-face sheet the tiles are drawn with.
    explicit HelpIllustration(int32_t faceImageId);

    void Draw() override;
    void OnCreate() override;

    void SetMode(int32_t mode);
    int32_t GetMode() const { return mode_; }
    const String& Label(int row, int column) const { return labels_[row][column]; }

    // A dealt tile: the blank base and face `face` (1..42) of the face sheet on it.
    void DrawTile(int32_t x, int32_t y, int32_t face);
    // A special tile drawn whole from the base strip: the exit tile (43) or 44..47.
    void DrawSpecialTile(int32_t x, int32_t y, int32_t face);

private:
    void DrawDiagram(int32_t imageId);
    void DrawSeasonsAndFlowers();

    BitmapFont* font_ = nullptr;
    int32_t faceImageId_;
    int32_t mode_ = 0;
    String caption1_;
    String caption2_;
    std::array<std::array<String, 4>, 2> labels_;
};
