#pragma once
// Composes the sheet from which the board draws every tile: 6 columns and 8 rows of 48x58
// cells, cell c + 6r showing kind c + 6r (0 to 47). Each cell is a base from the strip of tile
// bases (magenta keyed) with, for kinds 1 to 42, the face of the tile set on it.
#include <cstdint>

class Image;

class TileSheetComposer {
public:
    static constexpr int kWidth = 288;
    static constexpr int kHeight = 464;
    static constexpr int kCellWidth = 48;
    static constexpr int kCellHeight = 58;
    static constexpr int kFaceWidth = 38;
    static constexpr int kFaceHeight = 48;
    static constexpr uint32_t kKey = 0xFF00FF;  // magenta, the same as COLORREF and as RGB

    // `sheet` must be a 32-bit image of at least kWidth x kHeight; the others may be missing or
    // smaller than expected, in which case what they lack stays keyed. `baseCell` is the base
    // of the ordinary kinds. Answers false when the sheet cannot take the composition.
    static bool Compose(Image* sheet, const Image* bases, const Image* faces, int baseCell);

    // The base cell of a kind: the tile set's for kinds 0-42, 1 for the exit tile, kind - 42
    // for the special tiles 44-47.
    static int BaseCellOf(int kind, int baseCell);
};
