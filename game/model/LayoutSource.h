#pragma once
// The readable text form of a layout, from which the game's layout resources are compiled.
//
//   # a comment
//   name Little Bridge
//   layer 0
//   [][][]
//   [][]43
//   layer 1
//    []
//    []
//
// Each layer is drawn on the half-tile grid: a tile covers two columns and two rows, its top
// row "[]" and its bottom row "[]" for a tile to be dealt or two digits for a preset kind
// (43 the exit tile, 44 and 45 the complementary pair, 46 and 47 wild tiles). The column of
// the "[" is the tile's x, the row of its top line within the layer its y. Blanks and dots are
// empty cells. Layers come in ascending order; a comment line ends a layer's drawing.
#include <string>
#include <string_view>

class TileLayout;

// Fills `layout` (cleared first) with the name and the tiles, listed by layer, then row, then
// column. On a fault answers false and describes it, with its line, in `error`.
bool ParseLayoutSource(std::string_view text, TileLayout* layout, std::string* error);
