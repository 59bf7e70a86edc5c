#pragma once
// One choice of the tile-set dialog: a sample of the set, two stacked pairs of tiles with their
// lower neighbours, and a mark around it while chosen. A double click applies the dialog.
#include <cstdint>

#include "framework/ui/RadioButton.h"

class TileSetButton : public RadioButton {
public:
    // Cells of the tile-base strip and of a face sheet.
    static constexpr int32_t kBaseImage = 102;
    static constexpr int32_t kBaseWidth = 48;
    static constexpr int32_t kBaseHeight = 58;
    static constexpr uint32_t kBaseKey = 0xFF00FF;
    static constexpr int32_t kFaceWidth = 38;
    static constexpr int32_t kFaceHeight = 48;
    static constexpr int32_t kFacesPerRow = 6;
    static constexpr int32_t kSelectedMark = 320;

    TileSetButton(int32_t faceImageId, int32_t baseColumn, RadioGroup* group, int32_t value);

    void DrawNormal() override;
    void DrawHover() override;
    void OnButtonCreated() override;
    bool OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) override;

    int32_t GetBaseColumn() const { return baseColumn_; }

private:
    void DrawSample();

    int32_t faceImageId_;
    int32_t baseColumn_;
};
