#pragma once
// The miniature of a layout in its cell of the free-play page: each tile a 12 x 15 blank with a
// 9 x 12 face, placed on a 5 x 6.5 pixel grid shifted by its layer, the whole centred in the
// 203 x 153 cell.
#include <cstdint>
#include <vector>

#include "framework/gfx/Rect.h"

class Image;
class TileLayout;

class LayoutPreview {
public:
    static constexpr int32_t kCellWidth = 203;
    static constexpr int32_t kCellHeight = 153;
    static constexpr int32_t kBlankWidth = 12;
    static constexpr int32_t kBlankHeight = 15;
    static constexpr int32_t kFaceWidth = 9;
    static constexpr int32_t kFaceHeight = 12;
    static constexpr uint32_t kKey = 0xFF00FF;

    struct Placed {
        int32_t left = 0;  // within the page image
        int32_t top = 0;
        int32_t face = 0;  // 0..41
    };

    // Places every tile of `layout` for cell `slot` (0..8) of a page: counts its tiles and, with
    // their free flags brought up to date, its free tiles. Undealt and special tiles get a face
    // drawn at random.
    void Place(TileLayout* layout, int slot);

    // Draws the placed tiles into a 32-bit `page` from the blank picture and the face sheet, in
    // layout order; blanks are keyed by magenta. Answers false when the page cannot take them.
    bool Compose(Image* page, const Image* blank, const Image* faces) const;

    const std::vector<Placed>& Tiles() const { return tiles_; }
    int32_t TileCount() const { return tileCount_; }
    int32_t FreeCount() const { return freeCount_; }
    // The union of the tiles' boxes before centring.
    const Rect& Extent() const { return extent_; }

private:
    std::vector<Placed> tiles_;
    int32_t tileCount_ = 0;
    int32_t freeCount_ = 0;
    Rect extent_;
};
